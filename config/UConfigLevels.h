#pragma once
// Element wrappers of the level subtree: Level, its background animations, small workers and passes;
// a Pass is the list of its SubLevels; a SubLevel holds its gem kinds, boxes, workers and field.

#include "config/UXMLBinding.h"

#include <string>
#include <string_view>

namespace vantero {

// One gem kind of a sublevel (the sprite number of its pictures).
class TXMLElementType : public TXMLBoundElement {
public:
	using TXMLBoundElement::TXMLBoundElement;

	int SpriteIndex() const { return ReadInteger("SpriteIndex"); }
	void SetSpriteIndex(int value) { WriteInteger("SpriteIndex", value); }
};

// One box that appears during a sublevel once the cleared share of tiles reaches its threshold.
class TXMLBlockType : public TXMLBoundElement {
public:
	using TXMLBoundElement::TXMLBoundElement;

	int SpriteIndex() const { return ReadInteger("SpriteIndex"); }
	int LowerBound() const { return ReadInteger("LowerBound"); }
	int UpperBound() const { return ReadInteger("UpperBound"); }
	void SetSpriteIndex(int value) { WriteInteger("SpriteIndex", value); }
	void SetLowerBound(int value) { WriteInteger("LowerBound", value); }
	void SetUpperBound(int value) { WriteInteger("UpperBound", value); }
};

// One worker of a sublevel.
class TXMLWorkerType : public TXMLBoundElement {
public:
	using TXMLBoundElement::TXMLBoundElement;

	int Bricks() const { return ReadInteger("Bricks"); }
	int LeavingTime() const { return ReadInteger("LeavingTime"); }
	void SetBricks(int value) { WriteInteger("Bricks", value); }
	void SetLeavingTime(int value) { WriteInteger("LeavingTime", value); }
};

// The board of a sublevel: ten rows of ten cell characters as text content.
class TXMLFieldType : public TXMLBoundElement {
public:
	using TXMLBoundElement::TXMLBoundElement;

	int SolidCellsByDefault() const { return ReadInteger("SolidCellsByDefault"); }
	void SetSolidCellsByDefault(int value) { WriteInteger("SolidCellsByDefault", value); }

	// The field layout (UTF-8).
	std::string Text() const { return NodeText(); }
	// Replaces the field layout.
	void SetText(std::string_view text) { SetNodeText(text); }
};

// One sublevel; the gem distributions "P0", "P1", ... are read by name.
class TXMLSubLevelType : public TXMLBoundElement {
public:
	using TXMLBoundElement::TXMLBoundElement;

	int ConstructionPhaseBricks() const { return ReadInteger("ConstructionPhaseBricks"); }
	int TimeLimit() const { return ReadInteger("TimeLimit"); }
	void SetConstructionPhaseBricks(int value) { WriteInteger("ConstructionPhaseBricks", value); }
	void SetTimeLimit(int value) { WriteInteger("TimeLimit", value); }

	// Gem kinds, boxes and workers, in document order.
	TXMLList<TXMLElementType> &Element() const { return ChildList<TXMLList<TXMLElementType>>("Element"); }
	TXMLList<TXMLBlockType> &Block() const { return ChildList<TXMLList<TXMLBlockType>>("Block"); }
	TXMLList<TXMLWorkerType> &Worker() const { return ChildList<TXMLList<TXMLWorkerType>>("Worker"); }
	// The field (added when missing).
	TXMLFieldType &Field() const { return ChildElement<TXMLFieldType>("Field"); }
};

// One pass of a level: itself the list of its SubLevel children.
class TXMLPassType : public TXMLBoundElement, public TXMLList<TXMLSubLevelType> {
public:
	explicit TXMLPassType(pugi::xml_node node) : TXMLBoundElement(node), TXMLList<TXMLSubLevelType>(node, "SubLevel") {}

	// The same list, named.
	TXMLList<TXMLSubLevelType> &SubLevels() { return *this; }
	const TXMLList<TXMLSubLevelType> &SubLevels() const { return *this; }
};

// One animated decoration of a level's background.
class TXMLBackgroundAnimationType : public TXMLBoundElement {
public:
	using TXMLBoundElement::TXMLBoundElement;

	// Delay, RandomMirror and YForSwooping are read by name.
	std::string Engine() const { return ReadText("Engine"); }
	int X() const { return ReadInteger("X"); }
	int Y() const { return ReadInteger("Y"); }
	std::string Src() const { return ReadText("Src"); }
	int Mask() const { return ReadInteger("Mask"); }
	int Alpha() const { return ReadInteger("Alpha"); }
	int FPS() const { return ReadInteger("FPS"); }
	int MinPeriod() const { return ReadInteger("MinPeriod"); }
	int MaxPeriod() const { return ReadInteger("MaxPeriod"); }
	int DX() const { return ReadInteger("DX"); }
	int DY() const { return ReadInteger("DY"); }
	void SetEngine(std::string_view value) { WriteText("Engine", value); }
	void SetX(int value) { WriteInteger("X", value); }
	void SetY(int value) { WriteInteger("Y", value); }
	void SetSrc(std::string_view value) { WriteText("Src", value); }
	void SetMask(int value) { WriteInteger("Mask", value); }
	void SetAlpha(int value) { WriteInteger("Alpha", value); }
	void SetFPS(int value) { WriteInteger("FPS", value); }
	void SetMinPeriod(int value) { WriteInteger("MinPeriod", value); }
	void SetMaxPeriod(int value) { WriteInteger("MaxPeriod", value); }
	void SetDX(int value) { WriteInteger("DX", value); }
	void SetDY(int value) { WriteInteger("DY", value); }
};

// A small figure on the monument, shown at one construction phase.
class TXMLSmallWorkerType : public TXMLBoundElement {
public:
	using TXMLBoundElement::TXMLBoundElement;

	int Phase() const { return ReadInteger("Phase"); }
	int X() const { return ReadInteger("X"); }
	int Y() const { return ReadInteger("Y"); }
	void SetPhase(int value) { WriteInteger("Phase", value); }
	void SetX(int value) { WriteInteger("X", value); }
	void SetY(int value) { WriteInteger("Y", value); }
};

// One monument; CabinX, CabinY, WorkerInitialY, WorkerMinY, WorkerMaxY, SupervisorX, SupervisorY are read by name.
class TXMLLevelType : public TXMLBoundElement {
public:
	using TXMLBoundElement::TXMLBoundElement;

	std::string Title() const { return ReadText("Title"); }
	std::string Track() const { return ReadText("Track"); }
	int ConstructionX() const { return ReadInteger("ConstructionX"); }
	int ConstructionY() const { return ReadInteger("ConstructionY"); }
	void SetTitle(std::string_view value) { WriteText("Title", value); }
	void SetTrack(std::string_view value) { WriteText("Track", value); }
	void SetConstructionX(int value) { WriteInteger("ConstructionX", value); }
	void SetConstructionY(int value) { WriteInteger("ConstructionY", value); }

	TXMLList<TXMLBackgroundAnimationType> &BackgroundAnimation() const
	{
		return ChildList<TXMLList<TXMLBackgroundAnimationType>>("BackgroundAnimation");
	}
	TXMLList<TXMLSmallWorkerType> &SmallWorker() const { return ChildList<TXMLList<TXMLSmallWorkerType>>("SmallWorker"); }
	TXMLList<TXMLPassType> &Pass() const { return ChildList<TXMLList<TXMLPassType>>("Pass"); }
};

using IXMLLevelType = TXMLLevelType;
using IXMLPassType = TXMLPassType;
using IXMLSubLevelType = TXMLSubLevelType;
using IXMLFieldType = TXMLFieldType;
using IXMLLevelTypeList = TXMLList<TXMLLevelType>;
using IXMLBackgroundAnimationTypeList = TXMLList<TXMLBackgroundAnimationType>;
using IXMLSmallWorkerTypeList = TXMLList<TXMLSmallWorkerType>;
using IXMLPassTypeList = TXMLList<TXMLPassType>;
using IXMLSubLevelTypeList = TXMLList<TXMLSubLevelType>;
using IXMLElementTypeList = TXMLList<TXMLElementType>;
using IXMLBlockTypeList = TXMLList<TXMLBlockType>;
using IXMLWorkerTypeList = TXMLList<TXMLWorkerType>;

} // namespace vantero
