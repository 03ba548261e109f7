#include "play/UFieldElement.h"

#include "audio/IGSoundEngine.h"
#include "config/UResolution.h"
#include "config/UUtils.h"

#include <algorithm>
#include <cmath>

namespace vantero {

namespace {

constexpr double Pi = 3.1415926;

// Seconds that play every frame of a key's sequence once at its rate.
double OnceDuration(const TKey &key)
{
	return key.FrameDuration() * key.FrameCount - 0.00001;
}

} // namespace

void CellToPixel(int Column, int Row, double &X, double &Y)
{
	X = Column * CellSize + FieldX;
	Y = Row * CellSize + FieldY;
}

void PixelToCell(double X, double Y, int &Column, int &Row)
{
	const int size = CellSize > 0 ? CellSize : 1;
	Column = (static_cast<int>(X) - FieldX) / size;
	Row = (static_cast<int>(Y) - FieldY) / size;
}

bool OnBoard(int Row, int Column)
{
	return Row >= 0 && Row <= 9 && Column >= 0 && Column <= 9;
}

void PlayFieldSound(const std::string &Name)
{
	if (SoundEngine)
		SoundEngine->PlaySound(Name, -1);
}

// --- TElement ---

TElement::TElement(uint8_t kind, int value, int column, int row) : Kind(kind), Value(value)
{
	TKey &first = LastKey();
	CellToPixel(column, row, first.X, first.Y);
}

std::unique_ptr<TElement> TElement::CreateGem(int Kind, int Column, int Row)
{
	std::unique_ptr<TElement> gem(new TElement(ekGem, Kind, Column, Row));
	gem->DescribeIdle();
	gem->GlintOverlay = std::make_unique<TAnimation>();
	gem->BlinkOverlay = std::make_unique<TAnimation>();
	return gem;
}

std::unique_ptr<TElement> TElement::CreateBox(int SpriteNo, int Column, int Row)
{
	std::unique_ptr<TElement> box(new TElement(ekBox, SpriteNo, Column, Row));
	box->DescribeIdle();
	box->BoxLight = std::make_unique<TAnimation>();
	TAnimation &light = *box->BoxLight;
	light.Parent = box.get();
	TKey &key = light.AddKey(false, 0);
	key.SetSprite(box->LookName("light"));
	key.Alpha = 150;
	key.DrawMode = 2;
	key.FrameRate = 25;
	key.Frame = 0;
	key.AnimateWhenIdle = true;
	key.Align = 5;
	key.X = 25;
	key.Y = 25;
	key.Scale = 1.05;
	return box;
}

std::unique_ptr<TElement> TElement::CreateBonus(int BonusNo, int Column, int Row)
{
	std::unique_ptr<TElement> bonus(new TElement(ekBonus, BonusNo, Column, Row));
	bonus->LastKey().Alpha = 0;
	bonus->DescribeIdle();
	bonus->LastKey().Alpha = 0;
	bonus->AddKey(false, 0.1).Alpha = 255;
	bonus->BonusLight = std::make_unique<TAnimation>();
	TAnimation &light = *bonus->BonusLight;
	light.Parent = bonus.get();
	TKey &key = light.AddKey(false, 0);
	key.SetSprite("elements/bonuslight" + TwoDigits(BonusNo));
	key.DrawMode = 2;
	key.FrameRate = 10;
	key.X = -(key.Width - CellSize) / 2.0;
	key.Y = -(key.Height - CellSize) / 2.0;
	key.Frame = 0;
	TKey &played = light.AddKey(false, OnceDuration(key));
	TKey &held = light.Hold(RandomReal(10, 15));
	(void)played;
	light.LoopRange(&key, &held);
	return bonus;
}

std::string TElement::LookName(const std::string &Suffix) const
{
	const std::string number = TwoDigits(Value);
	switch (Kind) {
	case ekBox:
		return "elements/box" + number + Suffix;
	case ekBonus:
		return "elements/bonus" + number + Suffix;
	default:
		return "elements/marble" + number + Suffix;
	}
}

TKey &TElement::SetLook(const std::string &name, double frameRate, bool loop)
{
	TKey &key = AddKey(false, 0);
	key.SetSprite(name);
	key.FrameRate = frameRate;
	key.Frame = 0;
	key.AnimateWhenIdle = loop;
	return key;
}

void TElement::DescribeIdle()
{
	SetLook(LookName(""), 10, true);
}

void TElement::DescribeSelect()
{
	if (Kind == ekBox)
		RaiseGameError("DescribeSelect failed");
	SetLook(LookName("sel"), Kind == ekGem ? 30 : 10, true);
	if (GlintOverlay)
		GlintOverlay->ClearKeys();
}

void TElement::DescribeKill()
{
	if (Kind == ekBox)
		RaiseGameError("DescribeKill failed");
	SetLook(LookName("kill"), 40, false);
	if (GlintOverlay)
		GlintOverlay->ClearKeys();
}

void TElement::FallTo(int Column, int Row, const std::string &Sound)
{
	double targetX = 0;
	double targetY = 0;
	CellToPixel(Column, Row, targetX, targetY);
	if (Kind == ekBox && GameWidth == 1280) {
		targetX += 5;
		targetY += 5;
	}
	DescribeIdle();
	const double limit = RandomReal(40, CellSize);
	double step = 15;
	double y = LastKey().Y;
	for (;;) {
		y += step;
		step = std::min(step + 3, limit);
		const bool last = y > targetY;
		if (last)
			y = targetY;
		TKey &key = AddKey(false, 0.05);
		key.X = targetX;
		key.Y = RoundHalfEven(y);
		if (last)
			break;
	}
	AddKey(false, 0.05).Y = targetY + RandomInt(10);
	AddKey(false, 0.05).Y = targetY;
	AddKey(false, 0).Sound = Sound;
}

void TElement::MoveTo(int Column, int Row, bool AndBack)
{
	double targetX = 0;
	double targetY = 0;
	CellToPixel(Column, Row, targetX, targetY);
	const double startX = LastKey().X;
	const double startY = LastKey().Y;
	const int n = AndBack ? 10 : 5;
	for (int d = 0; d <= n; ++d) {
		const double s = std::sin(d * Pi / 10);
		TKey &key = AddKey(false, 0.045);
		key.X = startX + (targetX - startX) * s * s;
		key.Y = startY + (targetY - startY) * s * s;
	}
	DescribeIdle();
}

void TElement::MarkDying()
{
	Dying = true;
	if (BonusLight)
		BonusLight->ResetToCurrent();
	if (Kind != ekBox) {
		DescribeKill();
		AddKey(false, OnceDuration(LastKey()));
	}
	AddKey(false, 0).Hidden = true;
}

void TElement::Hop(double Amount)
{
	const double y0 = LastKey().Y;
	for (int i = 0; i <= 10; ++i) {
		const double s = std::max(0.0, std::sin(i * Pi / 10));
		AddKey(false, 0.04).Y = y0 - CellSize * std::sqrt(s) * Amount;
	}
}

void TElement::StopAnimations()
{
	ResetToCurrent();
	LastKey().AnimateWhenIdle = false;
	for (TAnimation *glow : {BoxLight.get(), BonusLight.get()})
		if (glow != nullptr) {
			glow->ResetToCurrent();
			glow->LastKey().AnimateWhenIdle = false;
		}
}

void TElement::HoverGlint()
{
	if (Kind != ekGem || !GlintOverlay || !GlintOverlay->IsFinished() || LastKey().SpriteName != LookName(""))
		return;
	TAnimation &glint = *GlintOverlay;
	glint.ClearKeys();
	glint.Parent = this;
	TKey &key = glint.AddKey(false, 0);
	key.SetSprite(LookName("symblink"));
	key.DrawMode = 2;
	key.Alpha = 160;
	key.FrameRate = 30;
	key.Frame = 0;
	glint.AddKey(false, OnceDuration(key));
	glint.AddKey(false, 0).Hidden = true;
	glint.AddKey(false, RandomReal(0.5, 1.0));
}

void TElement::DrawGlow()
{
	for (TAnimation *glow : {BoxLight.get(), BonusLight.get()})
		if (glow != nullptr) {
			glow->SetPaused(GetPaused());
			glow->Render();
		}
}

void TElement::DrawOverlays()
{
	for (TAnimation *overlay : {GlintOverlay.get(), BlinkOverlay.get()})
		if (overlay != nullptr && !(overlay->IsFinished() && (overlay->LastKey().Hidden || overlay->LastKey().Sequence == nullptr))) {
			overlay->SetPaused(GetPaused());
			overlay->Render();
		}
}

// --- TFireBall ---

TFireBall::TFireBall(int Kind, int DX, int DY, int Column, int Row) : Kind(Kind), DX(DX), DY(DY)
{
	TKey &key = LastKey();
	key.SetSprite("elements/fireball" + TwoDigits(Kind));
	key.Align = 5;
	CellToPixel(Column, Row, key.X, key.Y);
	key.X += CellSize / 2;
	key.Y += CellSize / 2;
}

void TFireBall::Advance()
{
	Phase += 2;
	AddKey(false, 0).Frame = 0;
	TKey &key = AddKey(false, 0.2);
	key.X += DX * CellSize;
	key.Y += DY * CellSize;
	const double wobble = 15 * std::sin(Phase);
	if (DX != 0)
		key.Y += wobble;
	else
		key.X += wobble;
	key.Frame = std::max(0, key.FrameCount - 1);
}

} // namespace vantero
