#pragma once
// Element wrappers of the configuration document below the root that are not part of the levels:
// text elements, the sound catalogue, blinking highlights, default high scores and font row spacing.

#include "config/UXMLBinding.h"

#include <string>
#include <string_view>

namespace vantero {

// A text element (fixed or repeated): its layout attributes and its displayed text
// ("^" breaks a line, "@" is a non-breaking space).
class TXMLTextType : public TXMLBoundElement {
public:
	using TXMLBoundElement::TXMLBoundElement;

	// Layout attributes; every one is optional, so callers test HasAttribute first.
	int Id() const { return ReadInteger("Id"); }
	double X() const { return ReadReal("X"); }
	double Y() const { return ReadReal("Y"); }
	std::string FontName() const { return ReadText("FontName"); }
	double Width() const { return ReadReal("Width"); }
	double Height() const { return ReadReal("Height"); }
	THAlign HAlign() const { return ReadHAlign("HAlign"); }
	TVAlign VAlign() const { return ReadVAlign("VAlign"); }
	void SetId(int value) { WriteInteger("Id", value); }
	void SetX(double value) { WriteReal("X", value); }
	void SetY(double value) { WriteReal("Y", value); }
	void SetFontName(std::string_view value) { WriteText("FontName", value); }
	void SetWidth(double value) { WriteReal("Width", value); }
	void SetHeight(double value) { WriteReal("Height", value); }
	void SetHAlign(THAlign value) { WriteHAlign("HAlign", value); }
	void SetVAlign(TVAlign value) { WriteVAlign("VAlign", value); }

	// The displayed text (the element's text content).
	std::u16string Text() const;
	// Replaces the displayed text in memory.
	void SetText(std::u16string_view text);
};

// One Sound of the catalogue; its name is Src without the last four characters.
class TXMLSoundType : public TXMLBoundElement {
public:
	using TXMLBoundElement::TXMLBoundElement;

	// Vol and Polyphony are converted by the sound engine; Ka and Kb are unused.
	std::string Src() const { return ReadText("Src"); }
	std::string Vol() const { return ReadText("Vol"); }
	std::string Ka() const { return ReadText("Ka"); }
	std::string Kb() const { return ReadText("Kb"); }
	int IsMusic() const { return ReadInteger("IsMusic"); }
	std::string Polyphony() const { return ReadText("Polyphony"); }
	void SetSrc(std::string_view value) { WriteText("Src", value); }
	void SetVol(std::string_view value) { WriteText("Vol", value); }
	void SetKa(std::string_view value) { WriteText("Ka", value); }
	void SetKb(std::string_view value) { WriteText("Kb", value); }
	void SetIsMusic(int value) { WriteInteger("IsMusic", value); }
};

// One blinking highlight of a screen (Place names the screen; X, Y the centre of the sparkle).
class TXMLBlinkType : public TXMLBoundElement {
public:
	using TXMLBoundElement::TXMLBoundElement;

	std::string Place() const { return ReadText("Place"); }
	int X() const { return ReadInteger("X"); }
	int Y() const { return ReadInteger("Y"); }
	void SetPlace(std::string_view value) { WriteText("Place", value); }
	void SetX(int value) { WriteInteger("X", value); }
	void SetY(int value) { WriteInteger("Y", value); }
};

// One default entry of the high-score table.
class TXMLHighScoreType : public TXMLBoundElement {
public:
	using TXMLBoundElement::TXMLBoundElement;

	std::string Player() const { return ReadText("Player"); }
	int Score() const { return ReadInteger("Score"); }
	void SetPlayer(std::string_view value) { WriteText("Player", value); }
	void SetScore(int value) { WriteInteger("Score", value); }
};

// Extra pixels between the lines of a font (reading only).
class TXMLFontRowSpacesType : public TXMLBoundElement {
public:
	using TXMLBoundElement::TXMLBoundElement;

	std::string FontName() const { return ReadText("FontName"); }
	int Space() const { return ReadInteger("Space"); }
};

using IXMLTextType = TXMLTextType;
using IXMLSoundType = TXMLSoundType;
using IXMLBlinkType = TXMLBlinkType;
using IXMLHighScoreType = TXMLHighScoreType;
using IXMLFontRowSpacesType = TXMLFontRowSpacesType;
using IXMLTextTypeList = TXMLList<TXMLTextType>;
using IXMLSoundTypeList = TXMLList<TXMLSoundType>;
using IXMLBlinkTypeList = TXMLList<TXMLBlinkType>;
using IXMLHighScoreTypeList = TXMLList<TXMLHighScoreType>;
using IXMLFontRowSpacesTypeList = TXMLList<TXMLFontRowSpacesType>;

} // namespace vantero
