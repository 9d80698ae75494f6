// The dialogs' explorer control: rows found again by the hit test, scrolling to the focus item,
// and the user's presses turned into events only while the control can be used.
#include <gtest/gtest.h>

#include <string>

#include "platform/ui/ExplorerControl.h"
#include "platform/ui/Form.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UiState.h"
#include "platform/ui/WindowApi.h"

namespace {

using platform::MakeObject;
using platform::Ref;
using platform::SameObject;
using platform::ui::ExplorerControl;

class Thing : public platform::Object {
 public:
  std::string_view TypeName() const override { return "Thing"; }
};

class ExplorerControlTest : public ::testing::Test {
 protected:
  /// A mouse handler noting "down:3/ctrl " for a press on the third row with Ctrl held (the key
  /// state agrees).
  auto Noting(const char* what) {
    return [this, what](int16_t button, int16_t shift, int32_t x, int32_t y) {
      const Ref<platform::Object> hit = explorer->HitTest(x, y);
      const int32_t row = hit ? explorer->RowOf(hit) : 0;
      const bool ctrl = platform::ui::GetKeyState(platform::ui::VK_CONTROL) < 0;
      events += std::string(what) + ":" + std::to_string(row) + (button == 2 ? "/right" : "") +
                ((shift & platform::ui::kCtrlMask) && ctrl ? "/ctrl" : "") + " ";
    };
  }

  void SetUp() override {
    platform::ui::UiState::Current().SetScreen(1280, 1024, 15);
    form->Move(0, 0, 6000, 4000);
    explorer = form->AddControl<ExplorerControl>("rgpexExplorer");
    // 100 x 80 pixels: five rows of 16 pixels.
    explorer->Move(0, 0, 1500, 1200);
    for (int i = 0; i < 12; ++i) {
      items.push_back(MakeObject<Thing>());
      explorer->AddItem(items.back(), "RgBlockOffline");
    }
    sinks.emplace_back(explorer->MouseDownEvent().Connect(Noting("down")));
    sinks.emplace_back(explorer->MouseUpEvent().Connect(Noting("up")));
    sinks.emplace_back(explorer->DblClickEvent().Connect([this] { events += "dbl "; }));
  }

  Ref<platform::ui::Form> form = MakeObject<platform::ui::Form>();
  Ref<ExplorerControl> explorer;
  std::vector<Ref<platform::Object>> items;
  std::vector<platform::ScopedConnection> sinks;
  std::string events;
};

TEST_F(ExplorerControlTest, HitTestFindsTheRowsBelowTheTopRowAndNothingElse) {
  EXPECT_EQ(explorer->VisibleRows(), 5);
  EXPECT_TRUE(SameObject(explorer->HitTest(10, 0), items[0]));
  EXPECT_TRUE(SameObject(explorer->HitTest(10, 79), items[4]));
  EXPECT_FALSE(explorer->HitTest(10, 80));   // below the control
  EXPECT_FALSE(explorer->HitTest(100, 10));  // right of it
  EXPECT_FALSE(explorer->HitTest(-1, 10));

  explorer->SetFocusItem(items[11]);  // scrolled so that the last row is the bottom one
  EXPECT_EQ(explorer->TopIndex(), 7);
  EXPECT_TRUE(SameObject(explorer->HitTest(10, 0), items[7]));
  EXPECT_TRUE(SameObject(explorer->HitTest(10, 64), items[11]));

  explorer->SetFocusItem(items[2]);  // back up: the focus row becomes the top one
  EXPECT_EQ(explorer->TopIndex(), 2);
  explorer->SetFocusItem(items[4]);  // already visible: no scrolling
  EXPECT_EQ(explorer->TopIndex(), 2);
  explorer->Clear();
  EXPECT_EQ(explorer->TopIndex(), 0);
  EXPECT_FALSE(explorer->HitTest(10, 0));
  EXPECT_FALSE(explorer->FocusItem());
}

TEST_F(ExplorerControlTest, PressesReachTheirRowOnlyWhileTheControlCanBeUsed) {
  form->Show();
  EXPECT_TRUE(explorer->PressRow(9, ExplorerControl::kLeftButton, platform::ui::kCtrlMask));
  EXPECT_TRUE(explorer->HasFocus());
  EXPECT_TRUE(explorer->ReleaseRow(9));
  EXPECT_TRUE(explorer->PressRow(2, ExplorerControl::kRightButton));
  EXPECT_TRUE(explorer->DoubleClickRow(3));
  EXPECT_EQ(events, "down:9/ctrl up:9 down:2/right down:3 up:3 dbl ");
  EXPECT_GE(platform::ui::GetKeyState(platform::ui::VK_CONTROL), 0) << "released after the press";

  // Three rows leave empty space below them.
  events.clear();
  explorer->Clear();
  for (int i = 0; i < 3; ++i) explorer->AddItem(items[i], "RgCategory");
  explorer->PressRow(0);
  explorer->ReleaseRow(4);
  EXPECT_EQ(events, "down:0 up:0 ");

  SCOPED_TRACE("a hidden or disabled control ignores the user");
  events.clear();
  for (const bool hide : {true, false}) {
    explorer->SetVisible(!hide);
    explorer->SetEnabled(hide);
    EXPECT_FALSE(explorer->PressRow(1));
    EXPECT_FALSE(explorer->ReleaseRow(1));
    EXPECT_FALSE(explorer->DoubleClickRow(1));
  }
  EXPECT_EQ(events, "");
  form->Hide();
}

}  // namespace
