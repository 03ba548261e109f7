#include "platform/PGLBackend.h"

#include <SDL.h>
#include <GL/glcorearb.h>

#include <cstring>
#include <mutex>
#include <string_view>
#include <vector>

namespace vantero::platform {

// The GL entry points the backend uses, loaded through SDL_GL_GetProcAddress.
#define VANTERO_GL_FUNCTIONS \
	X(PFNGLGETSTRINGPROC, GetString) \
	X(PFNGLGETSTRINGIPROC, GetStringi) \
	X(PFNGLGETINTEGERVPROC, GetIntegerv) \
	X(PFNGLGETERRORPROC, GetError) \
	X(PFNGLENABLEPROC, Enable) \
	X(PFNGLDISABLEPROC, Disable) \
	X(PFNGLBLENDFUNCPROC, BlendFunc) \
	X(PFNGLVIEWPORTPROC, Viewport) \
	X(PFNGLCLEARCOLORPROC, ClearColor) \
	X(PFNGLCLEARPROC, Clear) \
	X(PFNGLREADPIXELSPROC, ReadPixels) \
	X(PFNGLPIXELSTOREIPROC, PixelStorei) \
	X(PFNGLDRAWARRAYSPROC, DrawArrays) \
	X(PFNGLFINISHPROC, Finish) \
	X(PFNGLGENTEXTURESPROC, GenTextures) \
	X(PFNGLDELETETEXTURESPROC, DeleteTextures) \
	X(PFNGLBINDTEXTUREPROC, BindTexture) \
	X(PFNGLACTIVETEXTUREPROC, ActiveTexture) \
	X(PFNGLTEXIMAGE2DPROC, TexImage2D) \
	X(PFNGLTEXPARAMETERIPROC, TexParameteri) \
	X(PFNGLCREATESHADERPROC, CreateShader) \
	X(PFNGLSHADERSOURCEPROC, ShaderSource) \
	X(PFNGLCOMPILESHADERPROC, CompileShader) \
	X(PFNGLGETSHADERIVPROC, GetShaderiv) \
	X(PFNGLGETSHADERINFOLOGPROC, GetShaderInfoLog) \
	X(PFNGLDELETESHADERPROC, DeleteShader) \
	X(PFNGLCREATEPROGRAMPROC, CreateProgram) \
	X(PFNGLATTACHSHADERPROC, AttachShader) \
	X(PFNGLLINKPROGRAMPROC, LinkProgram) \
	X(PFNGLGETPROGRAMIVPROC, GetProgramiv) \
	X(PFNGLGETPROGRAMINFOLOGPROC, GetProgramInfoLog) \
	X(PFNGLDELETEPROGRAMPROC, DeleteProgram) \
	X(PFNGLUSEPROGRAMPROC, UseProgram) \
	X(PFNGLBINDATTRIBLOCATIONPROC, BindAttribLocation) \
	X(PFNGLBINDFRAGDATALOCATIONPROC, BindFragDataLocation) \
	X(PFNGLGETUNIFORMLOCATIONPROC, GetUniformLocation) \
	X(PFNGLUNIFORM1IPROC, Uniform1i) \
	X(PFNGLUNIFORM1FPROC, Uniform1f) \
	X(PFNGLUNIFORM2FPROC, Uniform2f) \
	X(PFNGLGENVERTEXARRAYSPROC, GenVertexArrays) \
	X(PFNGLDELETEVERTEXARRAYSPROC, DeleteVertexArrays) \
	X(PFNGLBINDVERTEXARRAYPROC, BindVertexArray) \
	X(PFNGLGENBUFFERSPROC, GenBuffers) \
	X(PFNGLDELETEBUFFERSPROC, DeleteBuffers) \
	X(PFNGLBINDBUFFERPROC, BindBuffer) \
	X(PFNGLBUFFERDATAPROC, BufferData) \
	X(PFNGLVERTEXATTRIBPOINTERPROC, VertexAttribPointer) \
	X(PFNGLENABLEVERTEXATTRIBARRAYPROC, EnableVertexAttribArray) \
	X(PFNGLVERTEXATTRIB2FPROC, VertexAttrib2f) \
	X(PFNGLGENFRAMEBUFFERSPROC, GenFramebuffers) \
	X(PFNGLDELETEFRAMEBUFFERSPROC, DeleteFramebuffers) \
	X(PFNGLBINDFRAMEBUFFERPROC, BindFramebuffer) \
	X(PFNGLGENRENDERBUFFERSPROC, GenRenderbuffers) \
	X(PFNGLDELETERENDERBUFFERSPROC, DeleteRenderbuffers) \
	X(PFNGLBINDRENDERBUFFERPROC, BindRenderbuffer) \
	X(PFNGLRENDERBUFFERSTORAGEPROC, RenderbufferStorage) \
	X(PFNGLFRAMEBUFFERRENDERBUFFERPROC, FramebufferRenderbuffer) \
	X(PFNGLCHECKFRAMEBUFFERSTATUSPROC, CheckFramebufferStatus) \
	X(PFNGLBLITFRAMEBUFFERPROC, BlitFramebuffer) \
	X(PFNGLPROVOKINGVERTEXPROC, ProvokingVertex)

struct TGLState {
#define X(type, name) type name = nullptr;
	VANTERO_GL_FUNCTIONS
#undef X
	bool Alive = false;
	SDL_GLContext Context = nullptr;
	SDL_Window *Window = nullptr;
	GLuint Program = 0;
	GLuint TexturedVao = 0, ColorVao = 0;
	GLuint TexturedVbo = 0, ColorVbo = 0;
	GLuint FrameBuffer = 0, ColorBuffer = 0;
	// Uniform locations.
	GLint UScale = -1, UPointSize = -1, UTextured = -1, UFlat = -1, UAlphaOp = -1, UArg1 = -1, UArg2 = -1,
		  UAlphaTest = -1, UAlphaFunc = -1, UAlphaRef = -1, USampler = -1;
	// Memory-information extensions.
	bool NvxMemoryInfo = false, AtiMemInfo = false;
	// Texture names released by textures destroyed on any thread; deleted by the drawing thread.
	std::mutex PendingMutex;
	std::vector<GLuint> PendingDeletes;

	// Deletes the released texture names (context current).
	void FlushDeletes()
	{
		std::lock_guard<std::mutex> guard(PendingMutex);
		if (!PendingDeletes.empty()) {
			DeleteTextures(static_cast<GLsizei>(PendingDeletes.size()), PendingDeletes.data());
			PendingDeletes.clear();
		}
	}

	bool Load()
	{
#define X(type, name) name = reinterpret_cast<type>(SDL_GL_GetProcAddress("gl" #name)); if (!name) return false;
		VANTERO_GL_FUNCTIONS
#undef X
		return true;
	}
	// Makes the context current on this thread when it is not.
	void MakeCurrent() const
	{
		if (SDL_GL_GetCurrentContext() != Context)
			SDL_GL_MakeCurrent(Window, Context);
	}
};

namespace {

// A texture with its GL object, uploaded from the ARGB copy when it has changed.
class TGLTexture : public TBackendTexture {
public:
	TGLTexture(TTextureFormat format, TTexturePool pool, std::shared_ptr<TGLState> gl)
		: TBackendTexture(format, pool), FGL(std::move(gl))
	{
	}
	// The loading thread may free textures: the GL name is only handed back here.
	~TGLTexture() override
	{
		if (FId) {
			std::lock_guard<std::mutex> guard(FGL->PendingMutex);
			FGL->PendingDeletes.push_back(FId);
		}
	}
	// Binds the texture to unit 0, uploading it first when needed.
	void Bind()
	{
		if (!FId) {
			FGL->GenTextures(1, &FId);
			FGL->BindTexture(GL_TEXTURE_2D, FId);
			FGL->TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
			FGL->TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
			FGL->TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
			FGL->TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
			FGL->TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
			FDirty = true;
		} else {
			FGL->BindTexture(GL_TEXTURE_2D, FId);
		}
		if (FDirty) {
			FGL->PixelStorei(GL_UNPACK_ALIGNMENT, 4);
			FGL->TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, Size, Size, 0, GL_BGRA, GL_UNSIGNED_BYTE, Argb());
			FDirty = false;
		}
	}

protected:
	void Changed() override { FDirty = true; }

private:
	std::shared_ptr<TGLState> FGL;
	GLuint FId = 0;
	bool FDirty = true;
};

const char *const VertexShader = R"(#version 330 core
in vec3 aPos;
in vec4 aColor;
in vec2 aUV;
uniform vec2 uScale;
uniform float uPointSize;
out vec4 vColor;
flat out vec4 vFlatColor;
out vec2 vUV;
void main()
{
	// Pixel centres of the back buffer on integer coordinates; rows top-down in the frame buffer.
	gl_Position = vec4((aPos.x + 0.5) * uScale.x - 1.0, (aPos.y + 0.5) * uScale.y - 1.0, 0.0, 1.0);
	gl_PointSize = uPointSize;
	vColor = aColor;
	vFlatColor = aColor;
	vUV = aUV;
}
)";

const char *const FragmentShader = R"(#version 330 core
in vec4 vColor;
flat in vec4 vFlatColor;
in vec2 vUV;
uniform sampler2D uTexture;
uniform int uTextured, uFlat, uAlphaOp, uArg1, uArg2, uAlphaTest, uAlphaFunc;
uniform float uAlphaRef;
out vec4 fragColor;
void main()
{
	vec4 d = uFlat != 0 ? vFlatColor : vColor;
	vec4 c = d;
	if (uTextured != 0) {
		vec4 t = texture(uTexture, vUV);
		c.rgb = t.rgb * d.rgb;
		float a1 = uArg1 == 0 ? t.a : d.a;
		float a2 = uArg2 == 0 ? t.a : d.a;
		c.a = uAlphaOp == 0 ? a1 : a1 * a2;
	}
	if (uAlphaTest != 0) {
		float a = floor(c.a * 255.0 + 0.5);
		if (uAlphaFunc == 1 && a == uAlphaRef) discard;
		if (uAlphaFunc == 2 && a <= uAlphaRef) discard;
	}
	fragColor = c;
}
)";

GLuint Compile(TGLState &gl, GLenum kind, const char *source)
{
	const GLuint shader = gl.CreateShader(kind);
	gl.ShaderSource(shader, 1, &source, nullptr);
	gl.CompileShader(shader);
	GLint ok = 0;
	gl.GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
	if (!ok) {
		char log[1024] = {};
		gl.GetShaderInfoLog(shader, sizeof log, nullptr, log);
		SDL_Log("GL shader: %s", log);
		gl.DeleteShader(shader);
		return 0;
	}
	return shader;
}

GLenum BlendFactor(TBlend factor)
{
	switch (factor) {
	case TBlend::Zero: return GL_ZERO;
	case TBlend::One: return GL_ONE;
	case TBlend::SrcColor: return GL_SRC_COLOR;
	case TBlend::InvSrcColor: return GL_ONE_MINUS_SRC_COLOR;
	case TBlend::SrcAlpha: return GL_SRC_ALPHA;
	case TBlend::InvSrcAlpha: return GL_ONE_MINUS_SRC_ALPHA;
	}
	return GL_ONE;
}

} // namespace

TGLBackend::TGLBackend(TWindowHandle window) : IRenderBackend(window), FGL(std::make_shared<TGLState>()) {}

TGLBackend::~TGLBackend()
{
	TGLState &gl = *FGL;
	if (gl.Context) {
		gl.MakeCurrent();
		if (gl.Alive) {
			gl.FlushDeletes();
			gl.DeleteFramebuffers(1, &gl.FrameBuffer);
			gl.DeleteRenderbuffers(1, &gl.ColorBuffer);
			gl.DeleteBuffers(1, &gl.TexturedVbo);
			gl.DeleteBuffers(1, &gl.ColorVbo);
			gl.DeleteVertexArrays(1, &gl.TexturedVao);
			gl.DeleteVertexArrays(1, &gl.ColorVao);
			gl.DeleteProgram(gl.Program);
		}
		gl.Alive = false;
		SDL_GL_MakeCurrent(gl.Window, nullptr);
		SDL_GL_DeleteContext(gl.Context);
		gl.Context = nullptr;
	}
	if (FOwnWindow && gl.Window)
		SDL_DestroyWindow(gl.Window);
	if (FOwnVideo)
		SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool TGLBackend::Create(const TPresentParams &params)
{
	TGLState &gl = *FGL;
	if (!SDL_WasInit(SDL_INIT_VIDEO)) {
		if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
			return false;
		FOwnVideo = true;
	}
	SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
	SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
	SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
	SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
	gl.Window = FWindow.Window;
	if (!gl.Window) {
		gl.Window = SDL_CreateWindow("", 0, 0, params.BackBufferWidth, params.BackBufferHeight,
			SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
		if (!gl.Window)
			return false;
		FOwnWindow = true;
	}
	gl.Context = SDL_GL_CreateContext(gl.Window);
	if (!gl.Context)
		return false;
	SDL_GL_MakeCurrent(gl.Window, gl.Context);
	if (!gl.Load())
		return false;
	SDL_GL_SetSwapInterval(params.Immediate ? 0 : 1);

	const GLuint vs = Compile(gl, GL_VERTEX_SHADER, VertexShader);
	const GLuint fs = Compile(gl, GL_FRAGMENT_SHADER, FragmentShader);
	if (!vs || !fs)
		return false;
	gl.Program = gl.CreateProgram();
	gl.AttachShader(gl.Program, vs);
	gl.AttachShader(gl.Program, fs);
	gl.BindAttribLocation(gl.Program, 0, "aPos");
	gl.BindAttribLocation(gl.Program, 1, "aColor");
	gl.BindAttribLocation(gl.Program, 2, "aUV");
	gl.BindFragDataLocation(gl.Program, 0, "fragColor");
	gl.LinkProgram(gl.Program);
	gl.DeleteShader(vs);
	gl.DeleteShader(fs);
	GLint linked = 0;
	gl.GetProgramiv(gl.Program, GL_LINK_STATUS, &linked);
	if (!linked)
		return false;
	gl.UseProgram(gl.Program);
	const auto uniform = [&](const char *name) { return gl.GetUniformLocation(gl.Program, name); };
	gl.UScale = uniform("uScale");
	gl.UPointSize = uniform("uPointSize");
	gl.UTextured = uniform("uTextured");
	gl.UFlat = uniform("uFlat");
	gl.UAlphaOp = uniform("uAlphaOp");
	gl.UArg1 = uniform("uArg1");
	gl.UArg2 = uniform("uArg2");
	gl.UAlphaTest = uniform("uAlphaTest");
	gl.UAlphaFunc = uniform("uAlphaFunc");
	gl.UAlphaRef = uniform("uAlphaRef");
	gl.USampler = uniform("uTexture");
	gl.Uniform1i(gl.USampler, 0);

	// Vertex arrays of the two vertex layouts.
	gl.GenVertexArrays(1, &gl.TexturedVao);
	gl.GenBuffers(1, &gl.TexturedVbo);
	gl.BindVertexArray(gl.TexturedVao);
	gl.BindBuffer(GL_ARRAY_BUFFER, gl.TexturedVbo);
	gl.VertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(TTexVertex), reinterpret_cast<void *>(0));
	gl.VertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(TTexVertex), reinterpret_cast<void *>(12));
	gl.VertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(TTexVertex), reinterpret_cast<void *>(16));
	gl.EnableVertexAttribArray(0);
	gl.EnableVertexAttribArray(1);
	gl.EnableVertexAttribArray(2);
	gl.GenVertexArrays(1, &gl.ColorVao);
	gl.GenBuffers(1, &gl.ColorVbo);
	gl.BindVertexArray(gl.ColorVao);
	gl.BindBuffer(GL_ARRAY_BUFFER, gl.ColorVbo);
	gl.VertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(TColorVertex), reinterpret_cast<void *>(0));
	gl.VertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(TColorVertex), reinterpret_cast<void *>(12));
	gl.EnableVertexAttribArray(0);
	gl.EnableVertexAttribArray(1);
	gl.VertexAttrib2f(2, 0.0f, 0.0f);

	gl.ProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
	gl.Enable(GL_PROGRAM_POINT_SIZE);
	gl.Disable(GL_DEPTH_TEST);
	gl.Disable(GL_CULL_FACE);
	gl.ActiveTexture(GL_TEXTURE0);

	GLint extensions = 0;
	gl.GetIntegerv(GL_NUM_EXTENSIONS, &extensions);
	for (GLint i = 0; i < extensions; ++i) {
		const char *name = reinterpret_cast<const char *>(gl.GetStringi(GL_EXTENSIONS, static_cast<GLuint>(i)));
		if (!name)
			continue;
		const std::string_view ext(name);
		gl.NvxMemoryInfo = gl.NvxMemoryInfo || ext == "GL_NVX_gpu_memory_info";
		gl.AtiMemInfo = gl.AtiMemInfo || ext == "GL_ATI_meminfo";
	}
	gl.Alive = true;
	return Reset(params);
}

bool TGLBackend::CreateFrameBuffer()
{
	TGLState &gl = *FGL;
	if (gl.FrameBuffer) {
		gl.DeleteFramebuffers(1, &gl.FrameBuffer);
		gl.DeleteRenderbuffers(1, &gl.ColorBuffer);
	}
	gl.GenRenderbuffers(1, &gl.ColorBuffer);
	gl.BindRenderbuffer(GL_RENDERBUFFER, gl.ColorBuffer);
	gl.RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, FWidth, FHeight);
	gl.GenFramebuffers(1, &gl.FrameBuffer);
	gl.BindFramebuffer(GL_FRAMEBUFFER, gl.FrameBuffer);
	gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, gl.ColorBuffer);
	if (gl.CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
		return false;
	gl.Viewport(0, 0, FWidth, FHeight);
	gl.Uniform2f(gl.UScale, 2.0f / static_cast<float>(FWidth), 2.0f / static_cast<float>(FHeight));
	gl.ClearColor(0, 0, 0, 1);
	gl.Clear(GL_COLOR_BUFFER_BIT);
	return true;
}

bool TGLBackend::SupportsFullScreenFormat(TTextureFormat format) const
{
	return format == TTextureFormat::X8R8G8B8 || format == TTextureFormat::R5G6B5;
}

uint64_t TGLBackend::AvailableTextureMemory() const
{
	const TGLState &gl = *FGL;
	if (gl.Alive) {
		gl.MakeCurrent();
		GLint kilobytes[4] = {0, 0, 0, 0};
		if (gl.NvxMemoryInfo) {
			gl.GetIntegerv(0x9049 /* GPU_MEMORY_INFO_CURRENT_AVAILABLE_VIDMEM_NVX */, kilobytes);
			if (kilobytes[0] > 0)
				return static_cast<uint64_t>(kilobytes[0]) * 1024;
		}
		if (gl.AtiMemInfo) {
			gl.GetIntegerv(0x87FC /* TEXTURE_FREE_MEMORY_ATI */, kilobytes);
			if (kilobytes[0] > 0)
				return static_cast<uint64_t>(kilobytes[0]) * 1024;
		}
	}
	// Without the extensions: assume a card with room for the 32-bit textures (512 MiB).
	return 512ull * 1024 * 1024;
}

bool TGLBackend::Reset(const TPresentParams &params)
{
	if (FStatus == TDeviceStatus::Lost || !FGL->Alive)
		return false;
	if (params.BackBufferWidth <= 0 || params.BackBufferHeight <= 0)
		return false;
	if (!params.Windowed && !SupportsFullScreenFormat(params.BackBufferFormat))
		return false;
	FGL->MakeCurrent();
	FWidth = params.BackBufferWidth;
	FHeight = params.BackBufferHeight;
	if (!CreateFrameBuffer())
		return false;
	FInScene = false;
	FStatus = TDeviceStatus::Ok;
	return true;
}

bool TGLBackend::BeginScene()
{
	if (FInScene || FStatus != TDeviceStatus::Ok)
		return false;
	FGL->MakeCurrent();
	FGL->FlushDeletes();
	FGL->BindFramebuffer(GL_FRAMEBUFFER, FGL->FrameBuffer);
	FInScene = true;
	return true;
}

bool TGLBackend::EndScene()
{
	if (!FInScene)
		return false;
	FInScene = false;
	return true;
}

void TGLBackend::Present()
{
	TGLState &gl = *FGL;
	if (!gl.Alive || FOwnWindow)
		return;
	gl.MakeCurrent();
	int w = 0, h = 0;
	SDL_GL_GetDrawableSize(gl.Window, &w, &h);
	gl.BindFramebuffer(GL_READ_FRAMEBUFFER, gl.FrameBuffer);
	gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
	// The frame buffer holds rows top-down; the window's origin is bottom-left.
	gl.BlitFramebuffer(0, 0, FWidth, FHeight, 0, h, w, 0, GL_COLOR_BUFFER_BIT, GL_NEAREST);
	SDL_GL_SwapWindow(gl.Window);
	gl.BindFramebuffer(GL_FRAMEBUFFER, gl.FrameBuffer);
}

std::unique_ptr<TBackendTexture> TGLBackend::CreateTexture(TTextureFormat format, TTexturePool pool)
{
	if (BytesPerTexel(format) == 0)
		return nullptr;
	return std::make_unique<TGLTexture>(format, pool, FGL);
}

void TGLBackend::ApplyStates(bool textured)
{
	TGLState &gl = *FGL;
	gl.MakeCurrent();
	gl.BindFramebuffer(GL_FRAMEBUFFER, gl.FrameBuffer);
	const TRenderStates &s = States;
	if (s.AlphaBlend) {
		gl.Enable(GL_BLEND);
		gl.BlendFunc(BlendFactor(s.SrcBlend), BlendFactor(s.DestBlend));
	} else {
		gl.Disable(GL_BLEND);
	}
	gl.Uniform1i(gl.UTextured, textured ? 1 : 0);
	gl.Uniform1i(gl.UFlat, s.FlatShading ? 1 : 0);
	gl.Uniform1i(gl.UAlphaOp, s.AlphaOp == TStageOp::SelectArg1 ? 0 : 1);
	gl.Uniform1i(gl.UArg1, s.AlphaArg1 == TStageArg::Texture ? 0 : 1);
	gl.Uniform1i(gl.UArg2, s.AlphaArg2 == TStageArg::Texture ? 0 : 1);
	const bool test = s.AlphaTest && s.AlphaFunc != TCompare::Always;
	gl.Uniform1i(gl.UAlphaTest, test ? 1 : 0);
	gl.Uniform1i(gl.UAlphaFunc, s.AlphaFunc == TCompare::NotEqual ? 1 : 2);
	gl.Uniform1f(gl.UAlphaRef, static_cast<float>(s.AlphaRef));
	gl.Uniform1f(gl.UPointSize, s.PointSize);
}

void TGLBackend::DrawTexturedStrip(const TTexVertex *vertices, int count)
{
	if (!FGL->Alive || count < 3)
		return;
	TGLState &gl = *FGL;
	const bool textured = FTexture != nullptr;
	ApplyStates(textured);
	if (textured)
		static_cast<TGLTexture *>(FTexture)->Bind();
	gl.BindVertexArray(gl.TexturedVao);
	gl.BindBuffer(GL_ARRAY_BUFFER, gl.TexturedVbo);
	gl.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(TTexVertex)) * count, vertices, GL_STREAM_DRAW);
	gl.DrawArrays(GL_TRIANGLE_STRIP, 0, count);
}

void TGLBackend::DrawColorStrip(const TColorVertex *vertices, int count)
{
	if (!FGL->Alive || count < 3)
		return;
	TGLState &gl = *FGL;
	ApplyStates(false);
	gl.BindVertexArray(gl.ColorVao);
	gl.BindBuffer(GL_ARRAY_BUFFER, gl.ColorVbo);
	gl.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(TColorVertex)) * count, vertices, GL_STREAM_DRAW);
	gl.DrawArrays(GL_TRIANGLE_STRIP, 0, count);
}

void TGLBackend::DrawPoints(const TColorVertex *points, int count)
{
	if (!FGL->Alive || count <= 0)
		return;
	TGLState &gl = *FGL;
	ApplyStates(false);
	gl.BindVertexArray(gl.ColorVao);
	gl.BindBuffer(GL_ARRAY_BUFFER, gl.ColorVbo);
	gl.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(TColorVertex)) * count, points, GL_STREAM_DRAW);
	gl.DrawArrays(GL_POINTS, 0, count);
}

void TGLBackend::Clear(uint32_t argb)
{
	if (!FGL->Alive)
		return;
	TGLState &gl = *FGL;
	gl.MakeCurrent();
	gl.BindFramebuffer(GL_FRAMEBUFFER, gl.FrameBuffer);
	gl.ClearColor(static_cast<float>((argb >> 16) & 255) / 255.0f, static_cast<float>((argb >> 8) & 255) / 255.0f,
		static_cast<float>(argb & 255) / 255.0f, 1.0f);
	gl.Clear(GL_COLOR_BUFFER_BIT);
}

std::vector<uint32_t> TGLBackend::ReadPixels() const
{
	std::vector<uint32_t> pixels(static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight), 0xFF000000u);
	const TGLState &gl = *FGL;
	if (!gl.Alive)
		return pixels;
	gl.MakeCurrent();
	gl.BindFramebuffer(GL_READ_FRAMEBUFFER, gl.FrameBuffer);
	gl.PixelStorei(GL_PACK_ALIGNMENT, 4);
	gl.ReadPixels(0, 0, FWidth, FHeight, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
	for (uint32_t &pixel : pixels)
		pixel |= 0xFF000000u;
	return pixels;
}

std::unique_ptr<IRenderBackend> CreateGLBackend(TWindowHandle window, const TPresentParams &params)
{
	auto backend = std::make_unique<TGLBackend>(window);
	if (!backend->Create(params))
		return nullptr;
	return backend;
}

} // namespace vantero::platform
