// The block list and download/upload dialogs over the reference host, with a project open and a
// PLC connected (so both trees and their ghost blocks exist): which buttons can be pressed, what
// the download/upload dialog preselects from the caller's selection, how the mouse and the keys
// change the selection, and what each way out gives back.

#include <functional>
#include <initializer_list>
#include <string>
#include <tuple>

#include "DialogFixture.h"
#include "host/framework/HelpService.h"
#include "host/services/OptionService.h"
#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/dialogs/RgProjectDialogBlockList.h"
#include "mzblprsx/dialogs/RgProjectDialogDownUpload.h"
#include "mzblprsx/dialogs/frmProjectExplorerDialog.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgDataObject.h"
#include "mzblprsx/interfaces/IRgDataObjectItem.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/ClassRegistry.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/ExplorerControl.h"
#include "support/HostTestSupport.h"

namespace dialogtest {
namespace {

using mzblprsx::frmProjectExplorerDialog;
using mzblprsx::RgProjectItem;
using mzblprsx::RgProjectItems;

/// Offline: Station, Program with the categories Blocks (OB1), Motors (FB10 FB11 DB10) and the
/// empty Spare, FC1 in no category, a system SFC46 and a variable table VAT1 (neither offered
/// for download). The PLC holds Station, OB1, FB10 and FC30, so the offline tree has a ghost
/// for FC30 and the online tree one for what the PLC lacks.
inline constexpr const char* kProject = R"(<hardware name="Station" size="2048"/>
  <program name="Program" default-category="1" category-order="1 2 3">
    <category id="1" name="Blocks"><member block="OB1"/></category>
    <category id="2" name="Motors"><member block="FB10"/><member block="FB11"/>
      <member block="DB10"/></category>
    <category id="3" name="Spare"/>
    <block type="OB" number="1" body="a"/><block type="FB" number="10" body="b"/>
    <block type="FB" number="11" body="c"/><block type="DB" number="10" body="d"/>
    <block type="FC" number="1" body="e"/><block type="SFC" number="46" body="s" system="true"/>
    <block type="VAT" number="1" body="v"/>
  </program>
)";
inline constexpr const char* kPlc = R"(<hardware name="Station" size="2048"/>
  <program name="Program"><block type="OB" number="1" body="a"/>
    <block type="FB" number="10" body="b"/><block type="FC" number="30" body="t"/></program>
)";

class ExplorerDialogFixture : public ScriptedDialogFixture {
 public:  // the helpers chain: Click("OB1").Key(VK_DOWN)
  void SetUp() override {
    Start();
    env.OpenProjectText(mztest::ProjectText(kProject), "t.prj.xml")
        ->FileObject()
        ->SetSaveToDisk(false);
    Initialized();
    env.ConnectPlcText(mztest::PlcText(kPlc), "t.plc.xml");
    ScriptTheUser();
  }

  static frmProjectExplorerDialog& Dialog(ui::Form& form) {
    return dynamic_cast<frmProjectExplorerDialog&>(form);
  }

  /// The first item of the model's tree (pre-order) whose "NAME" is `name`.
  static Ref<RgProjectItem> Find(const Ref<RgProjectItems>& items, const std::string& name) {
    for (int32_t i = 1; i <= items->Count(); ++i) {
      const Ref<RgProjectItem> item = items->Item(i);
      if (item->DataValue("NAME").ToString() == name) return item;
      if (auto found = Find(item->Items(), name)) return found;
    }
    return {};
  }
  Ref<RgProjectItem> Offline(const std::string& name) {
    return Find(snapIn->OfflineModel()->Items(), name);
  }
  Ref<RgProjectItem> Online(const std::string& name) {
    return Find(snapIn->OnlineModel()->Items(), name);
  }
  /// A caller's selection of items.
  Ref<RgProjectItems> Selection(std::initializer_list<Ref<RgProjectItem>> items) {
    auto list = platform::CreateObjectAs<RgProjectItems>(mzblprsx::clsid::kProjectItems);
    for (const auto& item : items) {
      EXPECT_TRUE(item) << "an item of the selection is missing";
      if (item) list->Add(item, nullptr, nullptr);
    }
    return list;
  }

  /// The items' names, separated by blanks; "-" for nothing.
  static std::string Names(const Ref<RgProjectItems>& items) {
    if (!items) return "-";
    std::string out;
    for (int32_t i = 1; i <= items->Count(); ++i) {
      out += (out.empty() ? "" : " ") + items->Item(i)->DataValue("NAME").ToString();
    }
    return out;
  }
  static std::string NameOf(const Ref<platform::Object>& item) {
    const auto project = item.As<RgProjectItem>();
    return project ? project->DataValue("NAME").ToString() : "-";
  }
  /// What the explorer shows: "FB10 FB11 focus=FB11", the selection in row order.
  static std::string Shown(frmProjectExplorerDialog& form) {
    const auto& explorer = *form.rgpexExplorer();
    std::string out;
    for (int32_t row = 1; row <= explorer.ItemCount(); ++row) {
      if (explorer.IsShownSelected(explorer.ItemAt(row))) out += NameOf(explorer.ItemAt(row)) + " ";
    }
    return out + "focus=" + NameOf(explorer.FocusItem());
  }
  /// The explorer's row of the item named so.
  static int32_t Row(frmProjectExplorerDialog& form, const std::string& name) {
    const auto& explorer = *form.rgpexExplorer();
    for (int32_t row = 1; row <= explorer.ItemCount(); ++row) {
      if (NameOf(explorer.ItemAt(row)) == name) return row;
    }
    ADD_FAILURE() << "no row " << name;
    return 0;
  }

  ui::ScriptedModalLoop& Step(const std::string& what,
                              std::function<void(frmProjectExplorerDialog&)> step) {
    return loop->Do(what, [step = std::move(step)](ui::Form& form) { step(Dialog(form)); });
  }
  /// Notes Shown() and the enabled state of `button` at this point of the script.
  ui::ScriptedModalLoop& Look(const char* button = "rgcmdLoad") {
    return Step("look", [this, button](frmProjectExplorerDialog& form) {
      const auto control = form.FindControl(button);
      looks.push_back(Shown(form) + (control && control->Enabled() ? " on" : " off"));
    });
  }
  /// Presses and releases a row ("": empty space) with the mouse button and modifiers.
  ExplorerDialogFixture& Click(const std::string& name, int16_t shift = 0,
                               int16_t button = ui::ExplorerControl::kLeftButton) {
    Step("click " + name, [=](frmProjectExplorerDialog& form) {
      const int32_t row = name.empty() ? 0 : Row(form, name);
      form.rgpexExplorer()->PressRow(row, button, shift);
      form.rgpexExplorer()->ReleaseRow(row, button, shift);
    });
    return *this;
  }
  ExplorerDialogFixture& Key(int32_t virtualKey, int16_t shift = 0) {
    loop->PressKey(virtualKey, shift);
    return *this;
  }
};

class BlockListDialogTest : public ExplorerDialogFixture {
 protected:
  /// "FB10 mode=1": the items and the mode the dialog gave back.
  std::string Open(int32_t location = mzblprsx::RgProjectLocationOffline) {
    int32_t mode = -1;
    const auto items =
        MakeObject<mzblprsx::RgProjectDialogBlockList>()->OpenBlock(snapIn, location, mode);
    return Names(items) + " mode=" + std::to_string(mode);
  }
};

TEST_F(BlockListDialogTest, OpenAndPropertiesNeedABlockAndADoubleClickOpensIt) {
  Look("rgcmdBlockOpen");  // the first row, a block, is selected
  // An empty category pressed stands for nothing; Ctrl on the release takes the category itself.
  Click("Spare").Click("Spare", ui::kCtrlMask);
  Look("rgcmdBlockOpen");
  Click("Motors");  // its blocks
  Look("rgcmdBlockProperties");
  loop->Click("rgcmdBlockProperties");
  EXPECT_EQ(Open(), "FB10 FB11 DB10 mode=2");
  EXPECT_EQ(mztest::Join(looks),
            "OB1 focus=OB1 on, Spare focus=Spare off, FB10 FB11 DB10 focus=Motors on");

  Click("FB11").Key(ui::VK_RETURN);
  EXPECT_EQ(Open(), "FB11 mode=1") << "Enter opens";
  Click("OB1");
  loop->Click("rgcmdBlockOpen");
  EXPECT_EQ(Open(mzblprsx::RgProjectLocationOnline), "OB1 mode=1");
  EXPECT_EQ(mztest::Join(ErrorSources()), "");

  SCOPED_TRACE("a double click opens the item under it");
  looks.clear();
  // On empty space nothing happens (the release there clears the selection).
  Click("FB10");
  Step("double click below",
       [](frmProjectExplorerDialog& form) { form.rgpexExplorer()->DoubleClickRow(0); });
  Look("rgcmdBlockOpen");
  Click("OB1", ui::kCtrlMask);
  Step("double click FB11", [](frmProjectExplorerDialog& form) {
    // With Ctrl the press adds FB11 to OB1; the double click leaves it alone.
    form.rgpexExplorer()->DoubleClickRow(Row(form, "FB11"), ui::kCtrlMask);
  });
  EXPECT_EQ(Open(), "FB11 mode=1");
  EXPECT_EQ(mztest::Join(looks), "focus=FB10 off");
}

TEST_F(BlockListDialogTest, EveryWayOutButOpenGivesNothing) {
  for (const char* way : {"Cancel", "Escape", "close box"}) {
    SCOPED_TRACE(way);
    Click("FB10");
    if (way == std::string("Cancel")) loop->Click("rgcmdCancel");
    if (way == std::string("Escape")) loop->PressKey(ui::VK_ESCAPE);
    if (way == std::string("close box")) loop->CloseBox();
    EXPECT_EQ(Open(), " mode=0");
  }
  // Another location has no tree and no parameter file.
  Step("look", [this](frmProjectExplorerDialog& form) {
    looks.push_back(std::to_string(form.rgpexExplorer()->ItemCount()) + " rows, file '" +
                    form.rgpexExplorer()->ParameterFile() + "', " + form.Caption());
  }).PressKey(ui::VK_ESCAPE);
  EXPECT_EQ(Open(mzblprsx::RgProjectLocationUnknown), " mode=0");
  EXPECT_EQ(looks.back(), "0 rows, file '', Open Block");

  // A display that fails while the form is shown still unloads it.
  std::shared_ptr<ui::Form> shown;
  loop->Do("fail", [&shown](ui::Form& form) {
    shown = std::dynamic_pointer_cast<ui::Form>(form.shared_from_this());
    throw platform::Error(platform::errc::kFail, "the display broke");
  });
  EXPECT_EQ(Open(), "- mode=0");
  EXPECT_NE(ErrorTexts().find("the display broke"), std::string::npos) << ErrorTexts();
  ASSERT_TRUE(shown);
  EXPECT_FALSE(shown->IsLoaded());

  int32_t mode = 7;
  EXPECT_FALSE(MakeObject<mzblprsx::RgProjectDialogBlockList>()->OpenBlock(nullptr, 1, mode));
  EXPECT_EQ(mode, 7) << "without a snap-in the mode stays";
  // Its own position key.
  EXPECT_FALSE(env.Options().Value("mzblprsx/OpenBlock/Left").IsEmpty());
}

namespace clsid = mzblprsx::clsid;
using mzblprsx::IRgDataObject;

constexpr int16_t kShift = ui::kShiftMask;
constexpr int16_t kCtrl = ui::kCtrlMask;

class DownUploadDialogTest : public ExplorerDialogFixture {
 protected:
  Ref<RgProjectItems> Download(const Ref<platform::Object>& selection = {}) {
    return MakeObject<mzblprsx::RgProjectDialogDownUpload>()->Download(snapIn, selection);
  }
  Ref<RgProjectItems> Upload(const Ref<platform::Object>& selection = {}) {
    return MakeObject<mzblprsx::RgProjectDialogDownUpload>()->Upload(snapIn, selection);
  }
  /// A transfer object of references: {class, object identifier, marker text}.
  static Ref<IRgDataObject> Data(
      std::initializer_list<std::tuple<std::string_view, const char*, const char*>> entries) {
    auto data = platform::CreateObjectAs<IRgDataObject>(clsid::kDataObject);
    for (const auto& [classId, id, marker] : entries) {
      data->AddReference(std::string(classId), platform::Variant(std::string(id)), id)
          ->SetMarkerText(marker);
    }
    return data;
  }
  /// What the explorer shows after the script (with that caller's selection), when the
  /// dialog is then closed with Escape.
  std::string Played(const std::function<void()>& script,
                     const Ref<platform::Object>& selection = {}) {
    looks.clear();
    script();
    Look().PressKey(ui::VK_ESCAPE);
    Download(selection);
    return looks.empty() ? "not shown" : looks.back();
  }
};

TEST_F(DownUploadDialogTest, TheTreeOffersLoadableObjectsAndStartsOnTheFirst) {
  Step("rows", [this](frmProjectExplorerDialog& form) {
    const auto& explorer = *form.rgpexExplorer();
    std::string rows;
    for (int32_t row = 1; row <= explorer.ItemCount(); ++row) {
      rows += NameOf(explorer.ItemAt(row)) + ":" + explorer.TypeAt(row) + " ";
    }
    looks.push_back(rows);
    looks.push_back(form.Caption() + " | " + form.rgcmdLoad()->Caption() + " | " +
                    explorer.ParameterFile());
  });
  Look().PressKey(ui::VK_ESCAPE);
  Download();
  ASSERT_EQ(looks.size(), 3u);
  // The default category's blocks stand right below the program; no system block, no VAT.
  EXPECT_EQ(looks[0],
            "Station:RgHwConfigOffline OB1:RgBlockOffline.OB FC1:RgBlockOffline.FC "
            "Motors:RgCategory FB10:RgBlockOffline.FB FB11:RgBlockOffline.FB "
            "DB10:RgBlockOffline.DB Spare:RgCategory ");
  EXPECT_EQ(looks[1], "Download to PLC | Load | \\pex_dlg_offline.xml");
  EXPECT_EQ(looks[2], "Station focus=Station on") << "nothing preselected: the first item";
}

TEST_F(DownUploadDialogTest, PreselectionFollowsTheCallersItemsOrTransferObject) {
  const auto ghost = [this] {  // the online tree's item for the blocks the PLC lacks
    const auto program = Online("Program")->Items();
    for (int32_t i = 1; i <= program->Count(); ++i) {
      if (program->Item(i)->DataValue("TYPE").ToString() == "RgGhostBlock") return program->Item(i);
    }
    return Ref<RgProjectItem>();
  };
  const std::string_view block = clsid::kBlockOffline;
  const std::string_view category = clsid::kCategory;
  struct Row {
    const char* what;
    Ref<platform::Object> selection;
    const char* shown;
  } rows[] = {
      {"a project alone: every block and the hardware", Selection({Offline("T")}),
       "Station OB1 FC1 FB10 FB11 DB10 focus=Station on"},
      {"a project with a block: only the block", Selection({Offline("T"), Offline("FB11")}),
       "FB11 focus=FB11 on"},
      {"a program: every block, no hardware", Selection({Offline("Program")}),
       "OB1 FC1 FB10 FB11 DB10 focus=OB1 on"},
      {"a category alone: all its blocks", Selection({Offline("Motors")}),
       "FB10 FB11 DB10 focus=Motors on"},
      {"a category with one of its blocks: that block",
       Selection({Offline("Motors"), Offline("FB11")}), "FB11 focus=Motors on"},
      {"an empty category: nothing", Selection({Offline("Spare")}), "focus=Spare off"},
      {"the hardware", Selection({Offline("Station")}), "Station focus=Station on"},
      {"a block and the hardware: focus on the first taken",
       Selection({Offline("FB10"), Offline("Station")}), "Station FB10 focus=FB10 on"},
      {"the PLC's ghost: the blocks the PLC lacks", Selection({ghost()}),
       "FC1 FB11 DB10 focus=FB11 on"},
      {"transferred blocks by their identifiers",
       Data({{block, "FB11", ""}, {clsid::kBlockOnline, "OB1", ""}}), "OB1 FB11 focus=FB11 on"},
      {"a transferred category with a listed block carried: that block",
       Data({{category, "2", "FB10;FB11;"}, {block, "FB10", ""}}), "FB10 focus=FB10 on"},
      {"a transferred category whose blocks are not carried: all of the tree's",
       Data({{category, "2", "FB10;"}}), "FB10 FB11 DB10 focus=FB10 on"},
      {"a transferred category with an empty list: nothing", Data({{category, "2", ""}}),
       "focus=Station off"},
      {"a transferred program: every block", Data({{clsid::kProgramOffline, "Program", ""}}),
       "OB1 FC1 FB10 FB11 DB10 focus=OB1 on"},
      {"a transferred project with a block: the block",
       Data({{clsid::kProjectOffline, "T", ""}, {block, "DB10", ""}}), "DB10 focus=DB10 on"},
      {"transferred hardware", Data({{clsid::kHwConfigOffline, "Station", ""}}),
       "Station focus=Station on"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(Played([] {}, row.selection), row.shown);
  }
}

TEST_F(DownUploadDialogTest, MouseAndKeyRules) {
  struct Script {
    const char* what;
    std::function<void()> script;
    const char* shown;
  };
  // The explorer shows 10 rows, more than the tree has: a page reaches either end.
  const Script rows[] = {
      {"a click selects the item alone", [&] { Click("FB10"); }, "FB10 focus=FB10 on"},
      {"Ctrl toggles on the release", [&] { Click("FB10").Click("OB1", kCtrl); },
       "OB1 FB10 focus=OB1 on"},
      {"Ctrl on a selected item takes it out", [&] { Click("FB10").Click("FB10", kCtrl); },
       "focus=FB10 off"},
      {"Shift selects from the anchor", [&] { Click("OB1").Click("FB11", kShift); },
       "OB1 FC1 Motors FB10 FB11 focus=FB11 on"},
      {"Shift upwards", [&] { Click("FB11").Click("FC1", kShift); },
       "FC1 Motors FB10 FB11 focus=FC1 on"},
      {"a category stands for its blocks", [&] { Click("Motors"); },
       "FB10 FB11 DB10 focus=Motors on"},
      {"a click on one of several selected leaves it alone",
       [&] { Click("OB1").Click("FB10", kCtrl).Click("OB1"); }, "OB1 focus=OB1 on"},
      {"a release on empty space clears", [&] { Click("FB10").Click(""); }, "focus=FB10 off"},
      {"right on an unselected item selects it alone",
       [&] { Click("FB10").Click("OB1", 0, ui::ExplorerControl::kRightButton); },
       "OB1 focus=OB1 on"},
      {"right with Ctrl keeps the selection",
       [&] { Click("FB10").Click("OB1", kCtrl, ui::ExplorerControl::kRightButton); },
       "FB10 focus=OB1 on"},
      {"Down moves the selection", [&] { Click("OB1").Key(ui::VK_DOWN); }, "FC1 focus=FC1 on"},
      {"Shift+Down extends it",
       [&] { Click("OB1").Key(ui::VK_DOWN, kShift).Key(ui::VK_DOWN, kShift); },
       "OB1 FC1 Motors focus=Motors on"},
      {"Ctrl+Down moves only the focus, Space takes it in",
       [&] { Click("OB1").Key(ui::VK_DOWN, kCtrl).Key(ui::VK_SPACE); }, "OB1 FC1 focus=FC1 on"},
      {"Space takes the focus item out", [&] { Click("OB1").Key(ui::VK_SPACE); }, "focus=OB1 off"},
      {"Shift+Space selects from the anchor",
       [&] { Click("FC1").Key(ui::VK_UP, kCtrl).Key(ui::VK_UP, kCtrl).Key(ui::VK_SPACE, kShift); },
       "Station OB1 FC1 focus=Station on"},
      {"Up at the first item stays", [&] { Key(ui::VK_UP); }, "Station focus=Station on"},
      {"Page Down stops at the last item", [&] { Key(ui::VK_NEXT); }, "Spare focus=Spare off"},
      {"Shift+Page Up selects back to the first", [&] { Click("FB11").Key(ui::VK_PRIOR, kShift); },
       "Station OB1 FC1 Motors FB10 FB11 focus=Station on"},
  };
  for (const Script& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(Played(row.script), row.shown);
  }
}

TEST_F(DownUploadDialogTest, ButtonsAndWaysOut) {
  // Select All takes no category; Select None disables Load; Enter loads.
  loop->Click("rgcmdSelectAll");
  Look();
  loop->Click("rgcmdSelectNone");
  Look().Click("rgcmdLoad").PressKey(ui::VK_RETURN);  // Load disabled: both ignored
  Click("FB10").Key(ui::VK_RETURN);
  EXPECT_EQ(Names(Download()), "FB10");
  EXPECT_EQ(mztest::Join(looks),
            "Station OB1 FC1 FB10 FB11 DB10 focus=Station on, focus=Station off");

  for (const char* way : {"Cancel", "Escape", "close box"}) {
    SCOPED_TRACE(way);
    loop->Click("rgcmdSelectAll");
    if (way == std::string("Cancel")) loop->Click("rgcmdCancel");
    if (way == std::string("Escape")) loop->PressKey(ui::VK_ESCAPE);
    if (way == std::string("close box")) loop->CloseBox();
    const auto result = Upload();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->Count(), 0);
  }
  loop->Click("rgcmdSelectAll").Click("rgcmdLoad");
  EXPECT_EQ(Names(Upload()), "Station OB1 FB10 FC30");
  EXPECT_EQ(Names(MakeObject<mzblprsx::RgProjectDialogDownUpload>()->Download(nullptr, {})), "-");
  EXPECT_EQ(loop->Remaining(), 0u);
  EXPECT_EQ(mztest::Join(ErrorSources()), "");
}

TEST_F(DownUploadDialogTest, F1ShowsTheTopicOnlyWithoutShiftAndPositionsAreStoredPerDirection) {
  env.Options().Load("mzblprsx/Download/Left", platform::Variant(std::string("-1")));
  env.Options().Load("mzblprsx/Download/Top", platform::Variant(std::string("2000")));
  env.Options().Load("General/Paths/DataDirectory", platform::Variant(std::string("C:\\Data\\")));
  Step("move",
       [this](frmProjectExplorerDialog& form) {
         looks.push_back(std::to_string(form.Left() / 15) + "," + std::to_string(form.Top() / 15) +
                         " " + form.rgpexExplorer()->ParameterFile());
         form.Move(30 * 15, 45 * 15);
       })
      .PressKey(ui::VK_F1)
      .PressKey(ui::VK_F1, kShift)
      .Do("help asked without F1", [](ui::Form& form) { form.SendMessage(ui::WM_HELP, 0, 0); })
      .PressKey(ui::VK_ESCAPE);
  Download();
  loop->PressKey(ui::VK_F1).PressKey(ui::VK_ESCAPE);
  Upload();
  std::string shown;
  for (const auto& topic : env.Help().Shown()) {
    shown += topic.book + "/" + topic.topic + (topic.window != 0 ? " " : "(no window) ");
  }
  EXPECT_EQ(shown, "MzBASHD/BAS00005.HTM MzBASHD/BAS00048.HTM ");
  // Centred with 365 x 252 pixels; the bottom edge pulls the top back.
  EXPECT_EQ(mztest::Join(looks), "457,772 C:\\Data\\pex_dlg_offline.xml");
  EXPECT_EQ(env.Options().Value("mzblprsx/Download/Left").ToInt32(), 30);
  EXPECT_EQ(env.Options().Value("mzblprsx/Download/Top").ToInt32(), 45);
  EXPECT_EQ(env.Options().Value("mzblprsx/Upload/Left").ToInt32(), 0);
  EXPECT_EQ(env.Options().Value("mzblprsx/Upload/Top").ToInt32(), 0);
}

}  // namespace
}  // namespace dialogtest
