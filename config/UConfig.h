#pragma once
// Typed binding of the configuration document: one class per element type over the pugixml DOM.
// The root Vantero carries the configuration keys as attributes (every key can also be read by name
// with GetAttribute), the fixed text elements, and the lists of repeated children.

#include "config/UAlignment.h"
#include "config/UConfigElements.h"
#include "config/UConfigLevels.h"
#include "config/UXMLBinding.h"

#include <memory>
#include <string>
#include <string_view>

namespace vantero {

// The root element Vantero: configuration keys are its attributes.
class TXMLVanteroType : public TXMLBoundElement {
public:
	using TXMLBoundElement::TXMLBoundElement;

	// --- Keys with typed accessors (a missing number is an EGameError naming the key) ---
	int InitialLevel() const { return ReadInteger("InitialLevel"); }
	int InitialSubLevel() const { return ReadInteger("InitialSubLevel"); }
	int InitialLifeCount() const { return ReadInteger("InitialLifeCount"); }
	int MaxLevelCount() const { return ReadInteger("MaxLevelCount"); }
	int PointsForLife() const { return ReadInteger("PointsForLife"); }
	int MaxLifeCount() const { return ReadInteger("MaxLifeCount"); }
	int SoundsEnabled() const { return ReadInteger("SoundsEnabled"); }
	std::string CheatCode() const { return ReadText("CheatCode"); }
	int ParticleMinVel() const { return ReadInteger("ParticleMinVel"); }
	int ParticleMaxVel() const { return ReadInteger("ParticleMaxVel"); }
	int ParticleMinAcc() const { return ReadInteger("ParticleMinAcc"); }
	int ParticleMaxAcc() const { return ReadInteger("ParticleMaxAcc"); }
	int ParticleGravityAcc() const { return ReadInteger("ParticleGravityAcc"); }
	std::string ParticleMinTime() const { return ReadText("ParticleMinTime"); }
	std::string ParticleMaxTime() const { return ReadText("ParticleMaxTime"); }
	int SuperBonusAppearance() const { return ReadInteger("SuperBonusAppearance"); }
	int SuperBonusEraseElements() const { return ReadInteger("SuperBonusEraseElements"); }
	int PointsForCombinationOfThree() const { return ReadInteger("PointsForCombinationOfThree"); }
	int PointsForCombinationOfFour() const { return ReadInteger("PointsForCombinationOfFour"); }
	int PointsForCombinationOfFive() const { return ReadInteger("PointsForCombinationOfFive"); }
	int PointsForCombinationOfSix() const { return ReadInteger("PointsForCombinationOfSix"); }
	int PointsForCombinationOfSeven() const { return ReadInteger("PointsForCombinationOfSeven"); }
	int PointsForSpecial1() const { return ReadInteger("PointsForSpecial1"); }
	int PointsForSpecial2() const { return ReadInteger("PointsForSpecial2"); }
	int PointsForSpecial3() const { return ReadInteger("PointsForSpecial3"); }
	int TimeToSmoke() const { return ReadInteger("TimeToSmoke"); }
	int PointsForTime() const { return ReadInteger("PointsForTime"); }
	int PointsForWorker() const { return ReadInteger("PointsForWorker"); }
	std::string BrickRate() const { return ReadText("BrickRate"); }
	int MinBricks() const { return ReadInteger("MinBricks"); }
	int BrickMinLifeTime() const { return ReadInteger("BrickMinLifeTime"); }
	int BrickMaxLifeTime() const { return ReadInteger("BrickMaxLifeTime"); }
	int MinTireTime() const { return ReadInteger("MinTireTime"); }
	int MaxTireTime() const { return ReadInteger("MaxTireTime"); }
	int HawkerTime() const { return ReadInteger("HawkerTime"); }
	int GirlTime() const { return ReadInteger("GirlTime"); }
	int MinScaryTime() const { return ReadInteger("MinScaryTime"); }
	int AdditionalScaryTime() const { return ReadInteger("AdditionalScaryTime"); }
	std::string TimebarScaryRest() const { return ReadText("TimebarScaryRest"); }
	int Jingle1Duration() const { return ReadInteger("Jingle1Duration"); }
	int Jingle2Duration() const { return ReadInteger("Jingle2Duration"); }
	int BlinkMinTime() const { return ReadInteger("BlinkMinTime"); }
	int BlinkMaxTime() const { return ReadInteger("BlinkMaxTime"); }
	int TimeToHint() const { return ReadInteger("TimeToHint"); }
	std::string ButtonPressSound() const { return ReadText("ButtonPressSound"); }
	std::string ButtonReleaseSound() const { return ReadText("ButtonReleaseSound"); }
	int Dithering() const { return ReadInteger("Dithering"); }
	std::string CollapseProb() const { return ReadText("CollapseProb"); }
	void SetInitialLevel(int value) { WriteInteger("InitialLevel", value); }
	void SetInitialSubLevel(int value) { WriteInteger("InitialSubLevel", value); }
	void SetInitialLifeCount(int value) { WriteInteger("InitialLifeCount", value); }
	void SetMaxLevelCount(int value) { WriteInteger("MaxLevelCount", value); }
	void SetPointsForLife(int value) { WriteInteger("PointsForLife", value); }
	void SetMaxLifeCount(int value) { WriteInteger("MaxLifeCount", value); }
	void SetSoundsEnabled(int value) { WriteInteger("SoundsEnabled", value); }
	void SetCheatCode(std::string_view value) { WriteText("CheatCode", value); }
	void SetParticleMinVel(int value) { WriteInteger("ParticleMinVel", value); }
	void SetParticleMaxVel(int value) { WriteInteger("ParticleMaxVel", value); }
	void SetParticleMinAcc(int value) { WriteInteger("ParticleMinAcc", value); }
	void SetParticleMaxAcc(int value) { WriteInteger("ParticleMaxAcc", value); }
	void SetParticleGravityAcc(int value) { WriteInteger("ParticleGravityAcc", value); }
	void SetParticleMinTime(std::string_view value) { WriteText("ParticleMinTime", value); }
	void SetParticleMaxTime(std::string_view value) { WriteText("ParticleMaxTime", value); }
	void SetSuperBonusAppearance(int value) { WriteInteger("SuperBonusAppearance", value); }
	void SetSuperBonusEraseElements(int value) { WriteInteger("SuperBonusEraseElements", value); }
	void SetPointsForCombinationOfThree(int value) { WriteInteger("PointsForCombinationOfThree", value); }
	void SetPointsForCombinationOfFour(int value) { WriteInteger("PointsForCombinationOfFour", value); }
	void SetPointsForCombinationOfFive(int value) { WriteInteger("PointsForCombinationOfFive", value); }
	void SetPointsForCombinationOfSix(int value) { WriteInteger("PointsForCombinationOfSix", value); }
	void SetPointsForCombinationOfSeven(int value) { WriteInteger("PointsForCombinationOfSeven", value); }
	void SetPointsForSpecial1(int value) { WriteInteger("PointsForSpecial1", value); }
	void SetPointsForSpecial2(int value) { WriteInteger("PointsForSpecial2", value); }
	void SetPointsForSpecial3(int value) { WriteInteger("PointsForSpecial3", value); }
	void SetTimeToSmoke(int value) { WriteInteger("TimeToSmoke", value); }
	void SetPointsForTime(int value) { WriteInteger("PointsForTime", value); }
	void SetPointsForWorker(int value) { WriteInteger("PointsForWorker", value); }
	void SetBrickRate(std::string_view value) { WriteText("BrickRate", value); }
	void SetMinBricks(int value) { WriteInteger("MinBricks", value); }
	void SetBrickMinLifeTime(int value) { WriteInteger("BrickMinLifeTime", value); }
	void SetBrickMaxLifeTime(int value) { WriteInteger("BrickMaxLifeTime", value); }
	void SetMinTireTime(int value) { WriteInteger("MinTireTime", value); }
	void SetMaxTireTime(int value) { WriteInteger("MaxTireTime", value); }
	void SetHawkerTime(int value) { WriteInteger("HawkerTime", value); }
	void SetGirlTime(int value) { WriteInteger("GirlTime", value); }
	void SetMinScaryTime(int value) { WriteInteger("MinScaryTime", value); }
	void SetAdditionalScaryTime(int value) { WriteInteger("AdditionalScaryTime", value); }
	void SetTimebarScaryRest(std::string_view value) { WriteText("TimebarScaryRest", value); }
	void SetJingle1Duration(int value) { WriteInteger("Jingle1Duration", value); }
	void SetJingle2Duration(int value) { WriteInteger("Jingle2Duration", value); }
	void SetBlinkMinTime(int value) { WriteInteger("BlinkMinTime", value); }
	void SetBlinkMaxTime(int value) { WriteInteger("BlinkMaxTime", value); }
	void SetTimeToHint(int value) { WriteInteger("TimeToHint", value); }
	void SetButtonPressSound(std::string_view value) { WriteText("ButtonPressSound", value); }
	void SetButtonReleaseSound(std::string_view value) { WriteText("ButtonReleaseSound", value); }
	void SetDithering(int value) { WriteInteger("Dithering", value); }
	void SetCollapseProb(std::string_view value) { WriteText("CollapseProb", value); }

	// --- Fixed text elements (added when missing) ---
	TXMLTextType &WelcomeMenuText() const { return ChildElement<TXMLTextType>("WelcomeMenuText"); }
	TXMLTextType &WelcometText() const { return ChildElement<TXMLTextType>("WelcometText"); }
	TXMLTextType &CreditText() const { return ChildElement<TXMLTextType>("CreditText"); }
	TXMLTextType &LimitCharactersText() const { return ChildElement<TXMLTextType>("LimitCharactersText"); }
	TXMLTextType &EnterYourNameText() const { return ChildElement<TXMLTextType>("EnterYourNameText"); }
	TXMLTextType &ControllerEnterYourNameText() const { return ChildElement<TXMLTextType>("ControllerEnterYourNameText"); }
	TXMLTextType &AdventureText() const { return ChildElement<TXMLTextType>("AdventureText"); }
	TXMLTextType &NewPlayerText() const { return ChildElement<TXMLTextType>("NewPlayerText"); }
	TXMLTextType &PlayAsText() const { return ChildElement<TXMLTextType>("PlayAsText"); }
	TXMLTextType &AreYouSureText() const { return ChildElement<TXMLTextType>("AreYouSureText"); }
	TXMLTextType &GameWillSaveText() const { return ChildElement<TXMLTextType>("GameWillSaveText"); }
	TXMLTextType &ExitText() const { return ChildElement<TXMLTextType>("ExitText"); }
	TXMLTextType &Resolution0() const { return ChildElement<TXMLTextType>("Resolution0"); }
	TXMLTextType &Resolution1() const { return ChildElement<TXMLTextType>("Resolution1"); }
	TXMLTextType &Resolution2() const { return ChildElement<TXMLTextType>("Resolution2"); }
	TXMLTextType &ResolutionTitle() const { return ChildElement<TXMLTextType>("ResolutionTitle"); }
	TXMLTextType &ChangeResolutionText() const { return ChildElement<TXMLTextType>("ChangeResolutionText"); }
	TXMLTextType &ChangeResolutionText1() const { return ChildElement<TXMLTextType>("ChangeResolutionText1"); }
	TXMLTextType &ChangeResolutionText2() const { return ChildElement<TXMLTextType>("ChangeResolutionText2"); }
	TXMLTextType &OptionsText() const { return ChildElement<TXMLTextType>("OptionsText"); }
	TXMLTextType &PlayBtnDescr() const { return ChildElement<TXMLTextType>("PlayBtnDescr"); }
	TXMLTextType &FreePlayDisableBtnDescr() const { return ChildElement<TXMLTextType>("FreePlayDisableBtnDescr"); }
	TXMLTextType &FreePlayEnableBtnDescr() const { return ChildElement<TXMLTextType>("FreePlayEnableBtnDescr"); }
	TXMLTextType &PlayerBtnDescr() const { return ChildElement<TXMLTextType>("PlayerBtnDescr"); }
	TXMLTextType &OptionsBtnDescr() const { return ChildElement<TXMLTextType>("OptionsBtnDescr"); }
	TXMLTextType &HelpBtnDescr() const { return ChildElement<TXMLTextType>("HelpBtnDescr"); }
	TXMLTextType &ScoresBtnDescr() const { return ChildElement<TXMLTextType>("ScoresBtnDescr"); }
	TXMLTextType &ExitBtnDescr() const { return ChildElement<TXMLTextType>("ExitBtnDescr"); }

	// --- Repeated texts, found by Id with FindById (the first in document order wins) ---
	IXMLTextTypeList &Tip() const { return ChildList<IXMLTextTypeList>("Tip"); }
	IXMLTextTypeList &Help() const { return ChildList<IXMLTextTypeList>("Help"); }
	IXMLTextTypeList &MapScreenTitle() const { return ChildList<IXMLTextTypeList>("MapScreenTitle"); }
	IXMLTextTypeList &LevelNameText() const { return ChildList<IXMLTextTypeList>("LevelNameText"); }
	IXMLTextTypeList &LegendText() const { return ChildList<IXMLTextTypeList>("LegendText"); }
	IXMLTextTypeList &CongratsText() const { return ChildList<IXMLTextTypeList>("CongratsText"); }
	IXMLTextTypeList &YellowPinsText() const { return ChildList<IXMLTextTypeList>("YellowPinsText"); }
	IXMLTextTypeList &YellowPinsTextSmall() const { return ChildList<IXMLTextTypeList>("YellowPinsTextSmall"); }
	IXMLTextTypeList &WhitePinsText() const { return ChildList<IXMLTextTypeList>("WhitePinsText"); }

	// --- Texts by element name (for callers that hold the name as data) ---
	// The fixed text element of that name (added when missing).
	TXMLTextType &TextElement(const char *name) const { return ChildElement<TXMLTextType>(name); }
	// The list of the repeated text elements of that name.
	IXMLTextTypeList &TextList(const char *name) const { return ChildList<IXMLTextTypeList>(name); }

	// --- Other repeated children ---
	TXMLList<TXMLFontRowSpacesType> &FontRowSpace() const { return ChildList<TXMLList<TXMLFontRowSpacesType>>("FontRowSpace"); }
	TXMLList<TXMLSoundType> &Sound() const { return ChildList<TXMLList<TXMLSoundType>>("Sound"); }
	TXMLList<TXMLBlinkType> &Blink() const { return ChildList<TXMLList<TXMLBlinkType>>("Blink"); }
	TXMLList<TXMLHighScoreType> &HighScore() const { return ChildList<TXMLList<TXMLHighScoreType>>("HighScore"); }
	TXMLList<TXMLLevelType> &Level() const { return ChildList<TXMLList<TXMLLevelType>>("Level"); }
};

using IXMLVanteroType = TXMLVanteroType;

// Binds the document's root element (which must be named Vantero); throws EGameError otherwise.
std::unique_ptr<TXMLVanteroType> GetVantero(const pugi::xml_document &document);

// The root of the loaded configuration document (set by LoadConfig).
extern TXMLVanteroType *Config;

} // namespace vantero
