// The --select grammar of prjsnap's selection dialogs: what each step makes the player do, and
// the mistakes that must stop the command before anything starts.
#include <gtest/gtest.h>

#include "SelectScript.h"
#include "support/HostTestSupport.h"

namespace mztest {
namespace {

using prjsnap::SelectScript;
using prjsnap::SelectStep;
using Kind = SelectStep::Kind;

TEST(SelectScriptParse, ReadsEveryKindOfStepAndListsInTheirOrder) {
  const struct {
    const char* text;
    Kind kind;
    const char* name;
    int32_t key;
    int16_t shift;
    const char* button;
  } rows[] = {
      {"all", Kind::kSelectAll, "", 0, 0, ""},
      {" NONE ", Kind::kSelectNone, "", 0, 0, ""},
      {"+FB10", Kind::kAdd, "FB10", 0, 0, ""},
      {"- Motor\\, left ", Kind::kRemove, "Motor, left", 0, 0, ""},
      {"+a\\:b\\\\", Kind::kAdd, "a:b\\", 0, 0, ""},
      {"click:FC5", Kind::kClick, "FC5", 0, 0, ""},
      {"Shift+Click:FC5", Kind::kClick, "FC5", 0, 1, ""},
      {"ctrl+click: Motors", Kind::kClick, "Motors", 0, 2, ""},
      {"right:Blocks", Kind::kRightClick, "Blocks", 0, 0, ""},
      {"dblclick:OB1", Kind::kDoubleClick, "OB1", 0, 0, ""},
      {"down", Kind::kKey, "", 0x28, 0, ""},
      {"shift+pgup", Kind::kKey, "", 0x21, 1, ""},
      {"ctrl+space", Kind::kKey, "", 0x20, 2, ""},
      {"enter", Kind::kKey, "", 0x0D, 0, ""},
      {"load", Kind::kButton, "", 0, 0, "rgcmdLoad"},
      {"open", Kind::kButton, "", 0, 0, "rgcmdBlockOpen"},
      {"properties", Kind::kButton, "", 0, 0, "rgcmdBlockProperties"},
      {"cancel", Kind::kButton, "", 0, 0, "rgcmdCancel"},
      {"escape", Kind::kEscape, "", 0, 0, ""},
      {"close", Kind::kClose, "", 0, 0, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const std::vector<SelectStep> steps = SelectScript::Parse(row.text);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].kind, row.kind);
    EXPECT_EQ(steps[0].name, row.name);
    EXPECT_EQ(steps[0].key, row.key);
    EXPECT_EQ(steps[0].shift, row.shift);
    EXPECT_EQ(steps[0].button, row.button);
  }

  // Lists keep their order, and only closing steps end the dialog.
  const std::vector<SelectStep> steps = SelectScript::Parse("none,+FB10\\,x,+FC5,load");
  ASSERT_EQ(steps.size(), 4u);
  EXPECT_EQ(steps[1].name, "FB10,x");
  EXPECT_EQ(steps[2].name, "FC5");
  EXPECT_EQ(steps[3].text, "load");
  EXPECT_TRUE(SelectScript::Parse("").empty());
  EXPECT_TRUE(SelectScript::Parse("  ").empty());
  for (const char* ends : {"load", "cancel", "escape", "close", "enter", "dblclick:FB10", "open"}) {
    EXPECT_TRUE(SelectScript::Parse(ends)[0].Ends()) << ends;
  }
  for (const char* goesOn : {"all", "+FB10", "click:FB10", "down", "shift+space"}) {
    EXPECT_FALSE(SelectScript::Parse(goesOn)[0].Ends()) << goesOn;
  }
}

TEST(SelectScriptParse, RefusesBadStepsNamingThem) {
  const struct {
    const char* text;
    const char* why;
  } rows[] = {
      {"bogus", "'bogus' is no step"},
      {"+", "the row's name is missing"},
      {"click", "'click' needs ':' and the row's name"},
      {"click:", "the row's name is missing"},
      {"+a:b", "written with '\\:'"},
      {"load:now", "'load' takes nothing after it"},
      {"shift+all", "shift+ and ctrl+ go with click and the keys only"},
      {"ctrl+right:FB10", "only click takes shift+ or ctrl+"},
      {"all,,load", "it is empty"},
      {"+FB10\\", "a backslash must be followed by"},
      {"+FB\\x", "'\\x' is no escape"},
  };
  for (const auto& row : rows) {
    std::string why;
    EXPECT_EQ(ErrorOf([&] { SelectScript::Parse(row.text); }, &why), platform::errc::kInvalidCall)
        << row.text;
    EXPECT_NE(why.find(row.why), std::string::npos) << row.text << ": " << why;
    EXPECT_EQ(why.rfind("bad step '", 0), 0u) << why;
  }
}

}  // namespace
}  // namespace mztest
