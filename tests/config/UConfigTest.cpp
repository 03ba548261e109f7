#include "config/UConfig.h"

#include "config/UUtils.h"

#include <gtest/gtest.h>

#include <functional>

#include <string>
#include <vector>

using namespace vantero;

namespace {

// A document and its binding.
struct TBound {
	pugi::xml_document Document;
	std::unique_ptr<TXMLVanteroType> Root;

	explicit TBound(const char *xml)
	{
		EXPECT_TRUE(Document.load_string(xml));
		Root = GetVantero(Document);
	}
};

std::string MessageOf(const std::function<void()> &action)
{
	try {
		action();
	} catch (const std::exception &error) {
		return error.what();
	}
	return "(no error)";
}

// Element names of the parent's children, in document order.
std::vector<std::string> ChildNames(pugi::xml_node parent)
{
	std::vector<std::string> names;
	for (const pugi::xml_node child : parent.children())
		names.push_back(std::string(child.name()) + (child.attribute("Id") ? child.attribute("Id").value() : ""));
	return names;
}

// Reading-only attributes have no writing accessor.
template <class T>
concept HasSetPolyphony = requires(T sound) { sound.SetPolyphony(""); };
template <class T>
concept HasSetSpace = requires(T font) { font.SetSpace(1); };
static_assert(!HasSetPolyphony<TXMLSoundType>);
static_assert(!HasSetSpace<TXMLFontRowSpacesType>);

} // namespace

TEST(UConfig, GetVanteroBindsOnlyARootNamedVantero)
{
	pugi::xml_document other;
	ASSERT_TRUE(other.load_string("<vantero/>"));
	EXPECT_THROW(GetVantero(other), EGameError);
	pugi::xml_document empty;
	EXPECT_THROW(GetVantero(empty), EGameError);
	TBound bound("<Vantero InitialLevel='3'/>");
	EXPECT_EQ(bound.Root->InitialLevel(), 3);
}

TEST(UConfig, TypedAccessorsConvertAndNameTheKeyOnError)
{
	TBound bound(R"(<Vantero MaxLevelCount=" 7 " CheatCode="zorbu" BrickRate="2,5" SoundsEnabled="yes">
		<ExitText X="12,5" Y="-3" Width="300" FontName="font03" HAlign="Right" VAlign="BOTTOM" Id="4">Quit?</ExitText>
		<Level Title="Tower" Track="tracks/level01" ConstructionX="410"/>
	</Vantero>)");
	const TXMLVanteroType &root = *bound.Root;
	EXPECT_EQ(root.MaxLevelCount(), 7);
	EXPECT_EQ(root.CheatCode(), "zorbu");
	EXPECT_EQ(root.BrickRate(), "2,5");
	EXPECT_EQ(root.ButtonPressSound(), ""); // a missing text reads as the empty text

	const TXMLTextType &exit = root.ExitText();
	EXPECT_DOUBLE_EQ(exit.X(), 12.5);
	EXPECT_DOUBLE_EQ(exit.Y(), -3.0);
	EXPECT_DOUBLE_EQ(exit.Width(), 300.0);
	EXPECT_EQ(exit.FontName(), "font03");
	EXPECT_EQ(exit.HAlign(), THAlign::Right);
	EXPECT_EQ(exit.VAlign(), TVAlign::Bottom);
	EXPECT_EQ(exit.Id(), 4);
	EXPECT_EQ(root.Level()[0].ConstructionX(), 410);

	EXPECT_EQ(MessageOf([&] { root.SoundsEnabled(); }), "Could not convert Vantero key \"SoundsEnabled\" (\"yes\") to an integer");
	EXPECT_EQ(MessageOf([&] { root.PointsForLife(); }), "Could not convert Vantero key \"PointsForLife\" (missing) to an integer");
	EXPECT_EQ(MessageOf([&] { exit.Height(); }), "Could not convert ExitText key \"Height\" (missing) to a real number");
	EXPECT_EQ(MessageOf([&] { root.Level()[0].ConstructionY(); }),
		"Could not convert Level key \"ConstructionY\" (missing) to an integer");
}

TEST(UConfig, WritingAccessorsWriteTheTextTheReadersExpect)
{
	TBound bound("<Vantero/>");
	TXMLVanteroType &root = *bound.Root;
	root.SetInitialLifeCount(-3);
	root.SetCollapseProb("0,1");
	TXMLTextType &tip = root.Tip().Add();
	tip.SetX(2.5);
	tip.SetWidth(300);
	tip.SetHAlign(THAlign::Center);
	tip.SetVAlign(TVAlign::Top);
	tip.SetText(u"Gr\u00fc\u00dfe^zwei");
	EXPECT_EQ(root.GetAttribute("InitialLifeCount"), "-3");
	EXPECT_EQ(root.GetAttribute("CollapseProb"), "0,1");
	EXPECT_EQ(tip.GetAttribute("X"), "2,5");
	EXPECT_EQ(tip.GetAttribute("Width"), "300");
	EXPECT_EQ(tip.GetAttribute("HAlign"), "center");
	EXPECT_EQ(tip.GetAttribute("VAlign"), "top");
	EXPECT_EQ(tip.NodeText(), "Gr\xC3\xBC\xC3\x9F" "e^zwei");
	EXPECT_EQ(tip.Text(), u"Gr\u00fc\u00dfe^zwei");
	EXPECT_DOUBLE_EQ(tip.X(), 2.5);
	EXPECT_EQ(MessageOf([&] { tip.SetHAlign(static_cast<THAlign>(5)); }), "HAlignToStr: Unknown HAlign type");
}

TEST(UConfig, AlignmentWordsAndMessages)
{
	const struct {
		const char *Word;
		int H; // -1: not a horizontal word
		int V;
	} cases[] = {
		{"left", 0, -1}, {"Center", 1, 1}, {"RIGHT", 2, -1}, {"top", -1, 0}, {"Bottom", -1, 2}, {"", -1, -1}, {" left", -1, -1},
	};
	for (const auto &c : cases) {
		if (c.H >= 0)
			EXPECT_EQ(static_cast<int>(StrToHAlign(c.Word)), c.H) << c.Word;
		else
			EXPECT_EQ(MessageOf([&] { StrToHAlign(c.Word); }), "StrToHAlign: Unknown HAlign") << c.Word;
		if (c.V >= 0)
			EXPECT_EQ(static_cast<int>(StrToVAlign(c.Word)), c.V) << c.Word;
		else
			EXPECT_EQ(MessageOf([&] { StrToVAlign(c.Word); }), "StrToVAlign: Unknown VAlign") << c.Word;
	}
	EXPECT_EQ(HAlignToStr(THAlign::Right), "right");
	EXPECT_EQ(VAlignToStr(TVAlign::Center), "center");
	EXPECT_EQ(MessageOf([] { VAlignToStr(static_cast<TVAlign>(-1)); }), "VAlignToStr: Unknown VAlign type");
	ErrorRaised = false;
}

TEST(UConfig, ListsFollowTheDocumentOrder)
{
	TBound bound(R"(<Vantero>
		<Tip Id="1"/><Help Id="1"/><Tip Id="2"/><Sound Src="a.wav"/><Tip Id="3"/>
	</Vantero>)");
	IXMLTextTypeList &tips = bound.Root->Tip();
	ASSERT_EQ(tips.Count(), 3);
	EXPECT_EQ(tips[2].Id(), 3);

	tips.Add().SetId(4);      // after the last Tip
	tips.Insert(0).SetId(0);  // before the first
	tips.Insert(2).SetId(15); // between 1 and 2
	tips.Insert(tips.Count()).SetId(5);
	const pugi::xml_node root = bound.Document.document_element();
	EXPECT_EQ(ChildNames(root), (std::vector<std::string>{"Tip0", "Tip1", "Help1", "Tip15", "Tip2", "Sound", "Tip3", "Tip4", "Tip5"}));

	tips.Delete(2);
	EXPECT_EQ(tips.Remove(tips[0]), 0);
	EXPECT_EQ(bound.Root->Help().Remove(bound.Root->Help()[0]), 0);
	EXPECT_EQ(ChildNames(root), (std::vector<std::string>{"Tip1", "Tip2", "Sound", "Tip3", "Tip4", "Tip5"}));
	std::vector<int> ids;
	for (const TXMLTextType &tip : tips)
		ids.push_back(tip.Id());
	EXPECT_EQ(ids, (std::vector<int>{1, 2, 3, 4, 5}));

	tips.Clear();
	EXPECT_EQ(tips.Count(), 0);
	EXPECT_EQ(ChildNames(root), (std::vector<std::string>{"Sound"}));
	EXPECT_EQ(bound.Root->Help().Add().NodeName(), "Help");
}

TEST(UConfig, ListIndexOutOfBounds)
{
	TBound bound("<Vantero><Sound/><Sound/></Vantero>");
	auto &sounds = bound.Root->Sound();
	EXPECT_THROW(sounds[2], std::out_of_range);
	EXPECT_EQ(MessageOf([&] { sounds[2]; }), "List index out of bounds (2)");
	EXPECT_EQ(MessageOf([&] { sounds[-1]; }), "List index out of bounds (-1)");
	EXPECT_EQ(MessageOf([&] { sounds.Delete(5); }), "List index out of bounds (5)");
	EXPECT_EQ(MessageOf([&] { sounds.Insert(3); }), "List index out of bounds (3)");
	EXPECT_EQ(sounds.Count(), 2);
}

TEST(UConfig, FindByIdTakesTheFirstInDocumentOrder)
{
	TBound bound(R"(<Vantero>
		<Tip>no id</Tip><Tip Id="x">bad id</Tip><Tip Id="3">first</Tip><Tip Id="3">second</Tip>
	</Vantero>)");
	const TXMLTextType *tip = bound.Root->Tip().FindById(3);
	ASSERT_NE(tip, nullptr);
	EXPECT_EQ(tip->Text(), u"first");
	EXPECT_EQ(tip, &bound.Root->Tip()[2]); // the same shared wrapper
	EXPECT_EQ(bound.Root->Tip().FindById(4), nullptr);
	EXPECT_EQ(bound.Root->Help().FindById(3), nullptr);
}

TEST(UConfig, LevelTreeAndSharedWrappers)
{
	TBound bound(R"(<Vantero>
		<Level Track="tracks/level01">
			<BackgroundAnimation Engine="Meteor" DX="40"/><Pass/>
			<Pass>
				<SubLevel TimeLimit="120" P0="0012">
					<Element SpriteIndex="1"/><Block SpriteIndex="2" LowerBound="10" UpperBound="30"/><Element SpriteIndex="5"/>
					<Worker Bricks="0" LeavingTime="30"/>
					<Field SolidCellsByDefault="1">..........</Field>
				</SubLevel>
				<SubLevel TimeLimit="90"/>
			</Pass>
			<SmallWorker Phase="3" X="4" Y="5"/>
		</Level>
	</Vantero>)");
	const TXMLLevelType &level = bound.Root->Level()[0];
	EXPECT_EQ(level.Pass()[0].Count(), 0);
	const TXMLPassType &pass = level.Pass()[1];
	ASSERT_EQ(pass.Count(), 2);
	const TXMLSubLevelType &sub = pass[0];
	EXPECT_EQ(sub.TimeLimit(), 120);
	EXPECT_EQ(sub.GetAttribute("P0"), "0012");
	EXPECT_EQ(sub.Element().Count(), 2);
	EXPECT_EQ(sub.Element()[1].SpriteIndex(), 5);
	EXPECT_EQ(sub.Block()[0].UpperBound(), 30);
	EXPECT_EQ(sub.Worker()[0].LeavingTime(), 30);
	EXPECT_EQ(sub.Field().SolidCellsByDefault(), 1);
	EXPECT_EQ(sub.Field().Text(), "..........");
	EXPECT_EQ(level.BackgroundAnimation()[0].Engine(), "Meteor");
	EXPECT_EQ(level.BackgroundAnimation()[0].DX(), 40);
	EXPECT_EQ(level.SmallWorker()[0].Phase(), 3);

	// Wrappers are created once and shared.
	EXPECT_EQ(&bound.Root->Level(), &bound.Root->Level());
	EXPECT_EQ(&pass[1], &level.Pass()[1][1]);
	EXPECT_EQ(&sub.Field(), &sub.Field());
	EXPECT_EQ(&bound.Root->ExitText(), &bound.Root->TextElement("ExitText"));

	// A sublevel without a Field gets an empty one on first request.
	EXPECT_EQ(pass[1].Field().Text(), "");
	EXPECT_TRUE(pass[1].DomNode().child("Field"));

	// The pass is the list of its sublevels: adding one adds a SubLevel element.
	TXMLPassType &empty = level.Pass()[0];
	empty.Add().SetTimeLimit(60);
	EXPECT_EQ(empty.SubLevels().Count(), 1);
	EXPECT_STREQ(empty.DomNode().first_child().name(), "SubLevel");
	EXPECT_EQ(empty.DomNode().first_child().attribute("TimeLimit").as_int(), 60);
}
