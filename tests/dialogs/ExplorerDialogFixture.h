// The download/upload and block list dialogs over the reference host: a project open and a PLC
// connected (so both trees and their ghost blocks exist), a scripted modal loop that plays the
// user, and short texts of what the dialog shows.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>

#include "DialogFixture.h"
#include "host/framework/HelpService.h"
#include "host/services/OptionService.h"
#include "mzblprsx/dialogs/frmProjectExplorerDialog.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/ClassRegistry.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/ExplorerControl.h"
#include "support/HostTestSupport.h"

namespace dialogtest {

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

}  // namespace dialogtest
