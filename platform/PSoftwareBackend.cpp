#include "platform/PSoftwareBackend.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vantero::platform {

namespace {

// a x b / 255, rounded to nearest, for bytes.
inline uint32_t Mul(uint32_t a, uint32_t b)
{
	const uint32_t t = a * b + 128;
	return (t + (t >> 8)) >> 8;
}

// Blend kinds with their own span loops; everything else goes through the generic factors.
enum TBlendKind { bkOpaque, bkAlpha, bkDarken, bkAdd, bkGeneric };

// The render states decoded once per draw.
struct TPipeline {
	TBlendKind Kind = bkOpaque;
	TBlend Src = TBlend::One;
	TBlend Dest = TBlend::Zero;
	bool AlphaTest = false;
	TCompare AlphaFunc = TCompare::Always;
	uint32_t AlphaRef = 0;
	TStageOp AlphaOp = TStageOp::SelectArg1;
	TStageArg AlphaArg1 = TStageArg::Texture;
	TStageArg AlphaArg2 = TStageArg::Diffuse;
};

TPipeline Decode(const TRenderStates &s)
{
	TPipeline p;
	p.Src = s.SrcBlend;
	p.Dest = s.DestBlend;
	if (!s.AlphaBlend)
		p.Kind = bkOpaque;
	else if (s.SrcBlend == TBlend::SrcAlpha && s.DestBlend == TBlend::InvSrcAlpha)
		p.Kind = bkAlpha;
	else if (s.SrcBlend == TBlend::Zero && s.DestBlend == TBlend::InvSrcColor)
		p.Kind = bkDarken;
	else if (s.SrcBlend == TBlend::One && s.DestBlend == TBlend::One)
		p.Kind = bkAdd;
	else
		p.Kind = bkGeneric;
	p.AlphaTest = s.AlphaTest && s.AlphaFunc != TCompare::Always;
	p.AlphaFunc = s.AlphaFunc;
	p.AlphaRef = s.AlphaRef;
	p.AlphaOp = s.AlphaOp;
	p.AlphaArg1 = s.AlphaArg1;
	p.AlphaArg2 = s.AlphaArg2;
	return p;
}

inline uint32_t StageArg(TStageArg arg, uint32_t textureAlpha, uint32_t diffuseAlpha)
{
	return arg == TStageArg::Texture ? textureAlpha : diffuseAlpha;
}

inline uint32_t Factor(TBlend factor, uint32_t sourceChannel, uint32_t sourceAlpha)
{
	switch (factor) {
	case TBlend::Zero: return 0;
	case TBlend::One: return 255;
	case TBlend::SrcColor: return sourceChannel;
	case TBlend::InvSrcColor: return 255 - sourceChannel;
	case TBlend::SrcAlpha: return sourceAlpha;
	case TBlend::InvSrcAlpha: return 255 - sourceAlpha;
	}
	return 0;
}

inline uint32_t BlendChannel(const TPipeline &p, uint32_t s, uint32_t d, uint32_t sa)
{
	return std::min<uint32_t>(255, Mul(s, Factor(p.Src, s, sa)) + Mul(d, Factor(p.Dest, s, sa)));
}

// Where stage 0 takes a textured pixel's alpha from.
enum TAlphaSource { asTexture, asDiffuse, asModulate, asRuntime };

TAlphaSource AlphaSourceOf(const TPipeline &p)
{
	if (p.AlphaOp == TStageOp::SelectArg1)
		return p.AlphaArg1 == TStageArg::Texture ? asTexture : asDiffuse;
	return p.AlphaArg1 != p.AlphaArg2 ? asModulate : asRuntime;
}

// Blends two colour channels at once (red and blue, or green alone) in 16-bit lanes:
// round((s x a + d x (255 - a)) / 255) per lane.
inline uint32_t BlendLanes(uint32_t s, uint32_t d, uint32_t a)
{
	uint32_t t = s * a + d * (255 - a) + 0x00800080u;
	t = (t + ((t >> 8) & 0x00FF00FFu)) >> 8;
	return t & 0x00FF00FFu;
}

// One pixel: stage 0 (colour texture x diffuse, alpha by the stage op), alpha test, blending.
// White: the diffuse colour is white, so the colour product is the texel itself.
template <TBlendKind Kind, bool Textured, TAlphaSource Source, bool White>
inline void ShadePixel(const TPipeline &p, uint32_t texel, uint32_t diffuse, uint32_t &target)
{
	uint32_t color, a;
	if constexpr (Textured) {
		const uint32_t ta = texel >> 24, da = diffuse >> 24;
		if constexpr (Source == asTexture)
			a = ta;
		else if constexpr (Source == asDiffuse)
			a = da;
		else if constexpr (Source == asModulate)
			a = Mul(ta, da);
		else
			a = p.AlphaOp == TStageOp::SelectArg1 ? StageArg(p.AlphaArg1, ta, da)
												  : Mul(StageArg(p.AlphaArg1, ta, da), StageArg(p.AlphaArg2, ta, da));
		if constexpr (White)
			color = texel & 0xFFFFFFu;
		else
			color = Mul((diffuse >> 16) & 255, (texel >> 16) & 255) << 16 | Mul((diffuse >> 8) & 255, (texel >> 8) & 255) << 8
				| Mul(diffuse & 255, texel & 255);
	} else {
		color = diffuse & 0xFFFFFFu;
		a = diffuse >> 24;
	}
	if (p.AlphaTest) {
		const bool pass = p.AlphaFunc == TCompare::NotEqual ? a != p.AlphaRef : a > p.AlphaRef;
		if (!pass)
			return;
	}
	if constexpr (Kind == bkOpaque) {
		target = 0xFF000000u | color;
	} else if constexpr (Kind == bkAlpha) {
		if (a == 0)
			return;
		if (a == 255) {
			target = 0xFF000000u | color;
			return;
		}
		const uint32_t d = target;
		target = 0xFF000000u | BlendLanes(color & 0x00FF00FFu, d & 0x00FF00FFu, a)
			| BlendLanes((color >> 8) & 0xFFu, (d >> 8) & 0xFFu, a) << 8;
	} else {
		const uint32_t r = (color >> 16) & 255, g = (color >> 8) & 255, b = color & 255;
		const uint32_t d = target;
		const uint32_t dr = (d >> 16) & 255, dg = (d >> 8) & 255, db = d & 255;
		if constexpr (Kind == bkDarken) {
			target = 0xFF000000u | Mul(dr, 255 - r) << 16 | Mul(dg, 255 - g) << 8 | Mul(db, 255 - b);
		} else if constexpr (Kind == bkAdd) {
			target = 0xFF000000u | std::min<uint32_t>(255, r + dr) << 16 | std::min<uint32_t>(255, g + dg) << 8
				| std::min<uint32_t>(255, b + db);
		} else {
			target = 0xFF000000u | BlendChannel(p, r, dr, a) << 16 | BlendChannel(p, g, dg, a) << 8
				| BlendChannel(p, b, db, a);
		}
	}
}

// A rectangle of pixels with texel coordinates stepping in 16.16 fixed point.
struct TRectSpan {
	int X0, X1, Y0, Y1;
	int64_t U0, DU, V0, DV;
	uint32_t Color;
};

template <TBlendKind Kind, bool Textured, TAlphaSource Source, bool White>
void FillRectSpans(const TPipeline &p, const TRectSpan &s, const uint32_t *texels, uint32_t *pixels, int pitch)
{
	int64_t v = s.V0;
	for (int y = s.Y0; y < s.Y1; ++y, v += s.DV) {
		uint32_t *row = pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch);
		const uint32_t *texRow = Textured ? texels + (((v >> 16) & 255) << 8) : nullptr;
		int64_t u = s.U0;
		for (int x = s.X0; x < s.X1; ++x, u += s.DU) {
			const uint32_t texel = Textured ? texRow[(u >> 16) & 255] : 0u;
			ShadePixel<Kind, Textured, Source, White>(p, texel, s.Color, row[x]);
		}
	}
}

template <TBlendKind Kind>
void DispatchSource(const TPipeline &p, bool textured, const TRectSpan &s, const uint32_t *texels, uint32_t *pixels,
	int pitch)
{
	if (!textured) {
		FillRectSpans<Kind, false, asDiffuse, false>(p, s, texels, pixels, pitch);
		return;
	}
	const bool white = (s.Color & 0xFFFFFFu) == 0xFFFFFFu;
	switch (AlphaSourceOf(p)) {
	case asTexture:
		white ? FillRectSpans<Kind, true, asTexture, true>(p, s, texels, pixels, pitch)
			  : FillRectSpans<Kind, true, asTexture, false>(p, s, texels, pixels, pitch);
		break;
	case asDiffuse:
		FillRectSpans<Kind, true, asDiffuse, false>(p, s, texels, pixels, pitch);
		break;
	case asModulate:
		white ? FillRectSpans<Kind, true, asModulate, true>(p, s, texels, pixels, pitch)
			  : FillRectSpans<Kind, true, asModulate, false>(p, s, texels, pixels, pitch);
		break;
	case asRuntime:
		FillRectSpans<Kind, true, asRuntime, false>(p, s, texels, pixels, pitch);
		break;
	}
}

void DispatchRect(const TPipeline &p, bool textured, const TRectSpan &s, const uint32_t *texels, uint32_t *pixels,
	int pitch)
{
	switch (p.Kind) {
	case bkOpaque: DispatchSource<bkOpaque>(p, textured, s, texels, pixels, pitch); break;
	case bkAlpha: DispatchSource<bkAlpha>(p, textured, s, texels, pixels, pitch); break;
	case bkDarken: DispatchSource<bkDarken>(p, textured, s, texels, pixels, pitch); break;
	case bkAdd: DispatchSource<bkAdd>(p, textured, s, texels, pixels, pitch); break;
	case bkGeneric: DispatchSource<bkGeneric>(p, textured, s, texels, pixels, pitch); break;
	}
}

// Any pixel, for the general triangle and point paths: the same kernels as the span path.
template <TBlendKind Kind>
void ShadeKind(const TPipeline &p, bool textured, uint32_t texel, uint32_t diffuse, uint32_t &target)
{
	if (textured)
		ShadePixel<Kind, true, asRuntime, false>(p, texel, diffuse, target);
	else
		ShadePixel<Kind, false, asDiffuse, false>(p, texel, diffuse, target);
}

void ShadeAny(const TPipeline &p, bool textured, uint32_t texel, uint32_t diffuse, uint32_t &target)
{
	switch (p.Kind) {
	case bkOpaque: ShadeKind<bkOpaque>(p, textured, texel, diffuse, target); break;
	case bkAlpha: ShadeKind<bkAlpha>(p, textured, texel, diffuse, target); break;
	case bkDarken: ShadeKind<bkDarken>(p, textured, texel, diffuse, target); break;
	case bkAdd: ShadeKind<bkAdd>(p, textured, texel, diffuse, target); break;
	case bkGeneric: ShadeKind<bkGeneric>(p, textured, texel, diffuse, target); break;
	}
}

// First pixel centre at or right of a coordinate: the left and top edges belong to the shape.
inline int FirstCentre(double edge)
{
	return static_cast<int>(std::ceil(edge));
}

inline int64_t ToFixed(double value)
{
	return static_cast<int64_t>(std::floor(value * 65536.0));
}

uint32_t LerpColor(uint32_t c0, uint32_t c1, uint32_t c2, double w0, double w1, double w2)
{
	uint32_t out = 0;
	for (int shift = 0; shift < 32; shift += 8) {
		const double v = w0 * ((c0 >> shift) & 255) + w1 * ((c1 >> shift) & 255) + w2 * ((c2 >> shift) & 255);
		out |= static_cast<uint32_t>(std::clamp(static_cast<int>(std::lround(v)), 0, 255)) << shift;
	}
	return out;
}

} // namespace

TSoftwareBackend::TSoftwareBackend(TWindowHandle window) : IRenderBackend(window) {}

TSoftwareBackend::~TSoftwareBackend() = default;

bool TSoftwareBackend::Create(const TPresentParams &params)
{
	return Reset(params);
}

bool TSoftwareBackend::SupportsFullScreenFormat(TTextureFormat format) const
{
	return std::find(FullScreenFormats.begin(), FullScreenFormats.end(), format) != FullScreenFormats.end();
}

bool TSoftwareBackend::Reset(const TPresentParams &params)
{
	if (FStatus == TDeviceStatus::Lost)
		return false;
	if (params.BackBufferWidth <= 0 || params.BackBufferHeight <= 0)
		return false;
	if (!params.Windowed && !SupportsFullScreenFormat(params.BackBufferFormat))
		return false;
	FWidth = params.BackBufferWidth;
	FHeight = params.BackBufferHeight;
	FPixels.assign(static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight), 0xFF000000u);
	FInScene = false;
	FStatus = TDeviceStatus::Ok;
	return true;
}

bool TSoftwareBackend::BeginScene()
{
	if (FInScene || FStatus != TDeviceStatus::Ok)
		return false;
	FInScene = true;
	return true;
}

bool TSoftwareBackend::EndScene()
{
	if (!FInScene)
		return false;
	FInScene = false;
	return true;
}

void TSoftwareBackend::Present()
{
	if (!FWindow.Window || FPixels.empty())
		return;
	SDL_Surface *target = SDL_GetWindowSurface(FWindow.Window);
	if (!target)
		return;
	SDL_Surface *frame = SDL_CreateRGBSurfaceWithFormatFrom(FPixels.data(), FWidth, FHeight, 32, FWidth * 4,
		SDL_PIXELFORMAT_ARGB8888);
	if (!frame)
		return;
	SDL_BlitScaled(frame, nullptr, target, nullptr);
	SDL_FreeSurface(frame);
	SDL_UpdateWindowSurface(FWindow.Window);
}

std::unique_ptr<TBackendTexture> TSoftwareBackend::CreateTexture(TTextureFormat format, TTexturePool pool)
{
	if (BytesPerTexel(format) == 0)
		return nullptr;
	return std::make_unique<TBackendTexture>(format, pool);
}

void TSoftwareBackend::Clear(uint32_t argb)
{
	std::fill(FPixels.begin(), FPixels.end(), argb | 0xFF000000u);
}

void TSoftwareBackend::DrawTexturedStrip(const TTexVertex *vertices, int count)
{
	if (count < 3 || count > 64)
		return;
	TRasterVertex v[64];
	for (int i = 0; i < count; ++i)
		v[i] = {vertices[i].X, vertices[i].Y, vertices[i].U, vertices[i].V, vertices[i].Color};
	DrawStrip(v, count, FTexture);
}

void TSoftwareBackend::DrawColorStrip(const TColorVertex *vertices, int count)
{
	if (count < 3 || count > 64)
		return;
	TRasterVertex v[64];
	for (int i = 0; i < count; ++i)
		v[i] = {vertices[i].X, vertices[i].Y, 0.0f, 0.0f, vertices[i].Color};
	DrawStrip(v, count, nullptr);
}

void TSoftwareBackend::DrawStrip(const TRasterVertex *v, int count, const TBackendTexture *texture)
{
	if (count == 4 && DrawRect(v, texture))
		return;
	for (int i = 0; i + 2 < count; ++i) {
		// Triangle i of a strip takes its flat colour from vertex i; DrawTriangle orders the winding itself.
		const TRasterVertex &a = v[i];
		const TRasterVertex &b = v[i + 1];
		const TRasterVertex &c = v[i + 2];
		DrawTriangle(a, b, c, v[i].Color, texture);
	}
}

bool TSoftwareBackend::DrawRect(const TRasterVertex *v, const TBackendTexture *texture)
{
	// The layout of every quad of the game: bottom-left, bottom-right, top-left, top-right.
	if (v[0].X != v[2].X || v[1].X != v[3].X || v[0].Y != v[1].Y || v[2].Y != v[3].Y)
		return false;
	if (v[0].U != v[2].U || v[1].U != v[3].U || v[0].V != v[1].V || v[2].V != v[3].V)
		return false;
	const bool sameColor = v[0].Color == v[1].Color && (States.FlatShading || (v[0].Color == v[2].Color && v[0].Color == v[3].Color));
	if (!sameColor)
		return false;
	if (v[0].X == v[1].X || v[0].Y == v[2].Y)
		return true;
	const TRasterVertex &left = v[0].X < v[1].X ? v[0] : v[1];
	const TRasterVertex &right = v[0].X < v[1].X ? v[1] : v[0];
	const TRasterVertex &top = v[2].Y < v[0].Y ? v[2] : v[0];
	const TRasterVertex &bottom = v[2].Y < v[0].Y ? v[0] : v[2];
	TRectSpan s{};
	s.X0 = std::max(0, FirstCentre(left.X));
	s.X1 = std::min(FWidth, FirstCentre(right.X));
	s.Y0 = std::max(0, FirstCentre(top.Y));
	s.Y1 = std::min(FHeight, FirstCentre(bottom.Y));
	if (s.X0 >= s.X1 || s.Y0 >= s.Y1)
		return true;
	s.Color = v[0].Color;
	const TPipeline p = Decode(States);
	const int size = TBackendTexture::Size;
	if (texture) {
		const double du = (static_cast<double>(right.U) - left.U) / (static_cast<double>(right.X) - left.X) * size;
		const double dv = (static_cast<double>(bottom.V) - top.V) / (static_cast<double>(bottom.Y) - top.Y) * size;
		s.U0 = ToFixed(left.U * static_cast<double>(size) + (s.X0 - static_cast<double>(left.X)) * du);
		s.V0 = ToFixed(top.V * static_cast<double>(size) + (s.Y0 - static_cast<double>(top.Y)) * dv);
		s.DU = static_cast<int64_t>(std::llround(du * 65536.0));
		s.DV = static_cast<int64_t>(std::llround(dv * 65536.0));
		DispatchRect(p, true, s, texture->Argb(), FPixels.data(), FWidth);
	} else {
		DispatchRect(p, false, s, nullptr, FPixels.data(), FWidth);
	}
	return true;
}

void TSoftwareBackend::DrawTriangle(const TRasterVertex &a, const TRasterVertex &b0, const TRasterVertex &c0,
	uint32_t flatColor, const TBackendTexture *texture)
{
	const TRasterVertex *b = &b0, *c = &c0;
	double area = (static_cast<double>(b->X) - a.X) * (static_cast<double>(c->Y) - a.Y)
		- (static_cast<double>(b->Y) - a.Y) * (static_cast<double>(c->X) - a.X);
	if (area == 0.0)
		return;
	if (area < 0) {
		std::swap(b, c);
		area = -area;
	}
	const TRasterVertex *vs[3] = {&a, b, c};
	// Edge k runs from vs[k] to vs[(k + 1) % 3]; its function is positive inside.
	struct TEdge {
		double X0, Y0, DX, DY;
		bool TopLeft;
	} edges[3];
	for (int k = 0; k < 3; ++k) {
		const TRasterVertex &p0 = *vs[k];
		const TRasterVertex &p1 = *vs[(k + 1) % 3];
		const double dx = static_cast<double>(p1.X) - p0.X, dy = static_cast<double>(p1.Y) - p0.Y;
		edges[k] = {p0.X, p0.Y, dx, dy, (dy == 0.0 && dx > 0.0) || dy < 0.0};
	}
	const double minX = std::min({a.X, b->X, c->X}), maxX = std::max({a.X, b->X, c->X});
	const double minY = std::min({a.Y, b->Y, c->Y}), maxY = std::max({a.Y, b->Y, c->Y});
	const int x0 = std::max(0, FirstCentre(minX)), x1 = std::min(FWidth - 1, static_cast<int>(std::floor(maxX)));
	const int y0 = std::max(0, FirstCentre(minY)), y1 = std::min(FHeight - 1, static_cast<int>(std::floor(maxY)));
	const TPipeline p = Decode(States);
	const bool flat = States.FlatShading;
	for (int y = y0; y <= y1; ++y) {
		for (int x = x0; x <= x1; ++x) {
			double e[3];
			bool inside = true;
			for (int k = 0; k < 3 && inside; ++k) {
				e[k] = edges[k].DX * (y - edges[k].Y0) - edges[k].DY * (x - edges[k].X0);
				inside = e[k] > 0.0 || (e[k] == 0.0 && edges[k].TopLeft);
			}
			if (!inside)
				continue;
			// Weight of a vertex: the edge opposite to it.
			const double w0 = e[1] / area, w1 = e[2] / area, w2 = e[0] / area;
			const uint32_t color = flat ? flatColor : LerpColor(vs[0]->Color, vs[1]->Color, vs[2]->Color, w0, w1, w2);
			uint32_t texel = 0;
			if (texture) {
				const double u = (w0 * vs[0]->U + w1 * vs[1]->U + w2 * vs[2]->U) * TBackendTexture::Size;
				const double v = (w0 * vs[0]->V + w1 * vs[1]->V + w2 * vs[2]->V) * TBackendTexture::Size;
				const int tu = static_cast<int>(std::floor(u)) & 255, tv = static_cast<int>(std::floor(v)) & 255;
				texel = texture->Argb()[tv * 256 + tu];
			}
			ShadeAny(p, texture != nullptr, texel, color,
				FPixels[static_cast<size_t>(y) * static_cast<size_t>(FWidth) + static_cast<size_t>(x)]);
		}
	}
}

void TSoftwareBackend::DrawPoints(const TColorVertex *points, int count)
{
	const TPipeline p = Decode(States);
	const double half = States.PointSize / 2.0;
	for (int i = 0; i < count; ++i) {
		const int x0 = std::max(0, FirstCentre(points[i].X - half));
		const int x1 = std::min(FWidth, FirstCentre(points[i].X + half));
		const int y0 = std::max(0, FirstCentre(points[i].Y - half));
		const int y1 = std::min(FHeight, FirstCentre(points[i].Y + half));
		for (int y = y0; y < y1; ++y)
			for (int x = x0; x < x1; ++x)
				ShadeAny(p, false, 0, points[i].Color,
					FPixels[static_cast<size_t>(y) * static_cast<size_t>(FWidth) + static_cast<size_t>(x)]);
	}
}

std::unique_ptr<IRenderBackend> CreateSoftwareBackend(TWindowHandle window, const TPresentParams &params)
{
	auto backend = std::make_unique<TSoftwareBackend>(window);
	if (!backend->Create(params))
		return nullptr;
	return backend;
}

} // namespace vantero::platform
