// The explorer cursor on a real model: filter, tree order, events with their positions, the
// option, the AutoRefresh protocol, rebuilds, moves, attaching and detaching.
#include <random>

#include "cursors/CursorTest.h"
#include "mzblprsx/cursors/RgCursorItemList.h"
#include "mzblprsx/cursors/RgProjectCursorExplorer.h"
#include "mzblprsx/interfaces/IRgItemMover.h"
#include "platform/Text.h"

namespace mztest {
namespace {

using mzblprsx::RgProjectCursorExplorer;

// P { HW, Prog { C1 {FB1, FB2}, Default {FB3, SFC4 (system)}, C2 {FC5} }, Card {F1, F2}, Sym }
Ref<FakeObject> Sample() {
  return Obj("P", "RgProjectOffline",
             {Obj("HW", "RgHwConfigOffline"),
              Obj("Prog", "RgProgramOffline",
                  {Obj("C1", "RgCategory", {Fb(1), Fb(2)}),
                   Obj("Default", "RgCategoryDefault", {Fb(3), SystemBlock(4)}),
                   Obj("C2", "RgCategory", {Block(14, 5)})}),
              Obj("Card", "RgFilesOnMMC", {Obj("F1", "RgMMCFile"), Obj("F2", "RgMMCFile")}),
              Obj("Sym", "RgSymbolTable")});
}

class ExplorerCursor : public CursorTest<RgProjectCursorExplorer> {
 protected:
  /// Builds the project and attaches a checked cursor; answers the attach events.
  std::string Start(const Ref<FakeObject>& projectObject = Sample()) {
    Build(projectObject);
    cursor->SetOptionService(options);
    // The explorer's rules, written out once more, with the cursor's current flag.
    checker = std::make_unique<CursorChecker>(model, cursor, [this](const Item& item) {
      const std::string type = item->Data()->Value("TYPE").ToString();
      if (type == "RgCategoryDefault" || type == "RgFilesOnMMC" || type == "RgMMCFile")
        return false;
      const Variant system = item->Data()->Value("SYSTEM");
      const bool isSystem = system.Type() == platform::VarType::Bool
                                ? system.ToBool()
                                : !system.IsEmpty() && system.ToDouble() == -1.0;
      return !platform::text::ContainsNoCase(type, "rgblock") || !isSystem ||
             cursor->ShowSystemBlocks();
    });
    cursor->Attach(model);
    return checker->Events();
  }
};

TEST_F(ExplorerCursor, AttachListsTheShownItemsInTreeOrderByPositionOrKeyAndDetachFails) {
  EXPECT_EQ(Start(), "total") << "attached to a model whose AutoRefresh is on";
  EXPECT_EQ(Listed(), "P HW Prog C1 FB1 FB2 FB3 C2 FC5 Sym")
      << "no default category (its blocks are), no card files or container, no system blocks";
  EXPECT_EQ(cursor->Count().Type(), platform::VarType::Int32);
  EXPECT_EQ(cursor->Count().ToInt32(), 10);
  model->SetAutoRefresh(false);
  cursor->Attach(model);
  EXPECT_EQ(checker->Events(), "auto 0") << "no TotalRefresh while a batch runs";
  const Item fb1 = ItemNamed("FB1");
  const std::string key = mzblprsx::RgCursorItemList::KeyOf(fb1);
  EXPECT_TRUE(SameObject(cursor->Item(Variant("obj " + key.substr(4))), fb1)) << key;
  EXPECT_TRUE(SameObject(cursor->Item(Variant(5.0)), fb1));
  EXPECT_EQ(cursor->Index(ItemNamed("Default")), 0);
  EXPECT_FALSE(cursor->Find(nullptr));
  expectNoErrors = false;
  for (const auto& [index, error] : std::vector<std::pair<Variant, int32_t>>{
           {int32_t{0}, 9}, {int32_t{11}, 9}, {"OBJ 12", 5}, {key + "0", 5}, {Variant(fb1), 13}}) {
    EXPECT_EQ(ErrorOf([&] { cursor->Item(index); }), error) << index.ToString();
  }
  EXPECT_EQ(ErrorSources().back(), "mzblprsx.RgProjectCursorExplorer.Property Get Item");
  cursor->Attach(nullptr);  // as Detach
  for (const auto& [name, call] : std::vector<std::pair<std::string, std::function<void()>>>{
           {"Property Get Count", [&] { cursor->Count(); }},
           {"Property Get Index", [&] { cursor->Index(fb1); }},
           {"Find", [&] { cursor->Find(fb1); }},
           {"NewEnum", [&] { cursor->NewEnum(); }},
           {"Refresh", [&] { cursor->Refresh(); }}}) {
    EXPECT_EQ(ErrorOf(call), platform::errc::kObjectNotSet) << name;
    EXPECT_EQ(ErrorSources().back(), "mzblprsx.RgProjectCursorExplorer." + name);
  }
  env.Errors().ClearReports();
  RemoveItem("FB2");
  options->SetValue(kShowSystem, true);
  options->SetValue(kShowSystem, false);
  EXPECT_EQ(checker->Events(), "") << "a detached cursor follows nothing, rebuilds nothing";
  EXPECT_TRUE(ErrorSources().empty());
}

TEST_F(ExplorerCursor, FilterDecidesByTypeSystemAndOption) {
  struct Row {
    const char* type;
    Variant system;
    bool off, on;  // listed with the option off, on
  };
  const Row rows[] = {
      {"RgCategoryDefault", {}, false, false},
      {"rgCategoryDefault", {}, true, true},  // exact
      {"RgFilesOnMMC", {}, false, false},
      {"RgMMCFile", {}, false, false},
      {"RgMMCFiles", {}, true, true},
      {"RgBlockOffline.FB", false, true, true},
      {"rgBLOCKonline", true, false, true},
      {"RgBlockOffline.OB", int32_t{-1}, false, true},
      {"RgBlockOffline.OB", int32_t{1}, true, true},  // only True (-1) is a system block
      {"RgGhostBlock", true, true, true},
      {"", {}, true, true},
  };
  std::vector<Ref<FakeObject>> objects;
  for (size_t i = 0; i < std::size(rows); ++i) {
    objects.push_back(Obj("R" + std::to_string(i), rows[i].type, {},
                          rows[i].system.IsEmpty() ? Props{} : Props{{"SYSTEM", rows[i].system}}));
  }
  Start(Obj("P", "RgProjectOffline", objects));
  for (const bool on : {false, true}) {
    options->SetValue(kShowSystem, on);
    cursor->Refresh();
    for (size_t i = 0; i < std::size(rows); ++i) {
      EXPECT_EQ(cursor->Find(ItemNamed("R" + std::to_string(i))), on ? rows[i].on : rows[i].off)
          << "TYPE \"" << rows[i].type << "\" SYSTEM " << rows[i].system.ToString() << " " << on;
    }
  }
}

TEST_F(ExplorerCursor, ItemEventsArePassedOnWithListPositions) {
  Start();
  AddBelow("Default", Fb(7), "FB3");
  ItemNamed("Default")->Items()->AddNew(Fb(6), ItemNamed("FB3"), nullptr);
  EXPECT_EQ(checker->Events(), "add FB7@8 add FB6@7")
      << "after the nearest shown item before it: FB3, then (first in Default) FB2 of C1";
  AddBelow("Card", Obj("F3", "RgMMCFile"));
  AddBelow("P", Obj("Docs", "RgDocumentation"), "Card");
  model->Items()->AddNew(Obj("First", "RgProjectOffline"), ItemNamed("P"), nullptr);
  EXPECT_EQ(checker->Events(), "add Docs@12 add First@1")
      << "the walk back passes the card and its files; nothing before: first of all";
  ItemNamed("FB2")->Handler()->Refresh();
  ItemNamed("Default")->Handler()->Refresh();
  EXPECT_EQ(checker->Events(), "change FB2@7") << "hidden items change silently";
  RemoveItem("C1");
  RemoveItem("Default");
  EXPECT_EQ(checker->Events(),
            "remove FB2@7 remove FB1@6 remove C1@5 remove FB7@7 remove FB3@6 "
            "remove FB6@5")
      << "positions before the removal, deepest and last first; hidden items leave silently";
  EXPECT_EQ(Listed(), "First P HW Prog C2 FC5 Docs Sym");
  checker->stale.insert(platform::Identity(ItemNamed("FC5")));
  Change("FC5", "TYPE", "RgMMCFile");
  EXPECT_EQ(checker->Events(), "change FC5@6") << "rejected now, but not filtered again";
  checker->stale.clear();
  cursor->Refresh();
  EXPECT_FALSE(cursor->Find(ItemNamed("FC5"))) << "gone at the next Refresh";
}

TEST_F(ExplorerCursor, HidingSystemBlocksRebuildsAtOnceShowingThemWaitsForRefresh) {
  options->SetValue(kShowSystem, true);
  Start();
  EXPECT_TRUE(cursor->Find(ItemNamed("SFC4")));
  options->SetValue(kShowSystem, false);
  options->SetValue(kShowSystem, false);
  EXPECT_EQ(checker->Events(), "total") << "rebuilt at once, and only when the flag changed";
  checker->stale.insert(platform::Identity(ItemNamed("SFC4")));
  options->SetValue(kShowSystem, int32_t{1});
  EXPECT_EQ(checker->Events(), "") << "a number above 0 switches it on, but nothing is rebuilt";
  EXPECT_TRUE(cursor->ShowSystemBlocks());
  AddBelow("Default", SystemBlock(9), "SFC4");
  EXPECT_EQ(checker->Events(), "add SFC9@8") << "shown, after the nearest listed item: FB3";
  checker->stale.clear();
  cursor->Refresh();
  EXPECT_EQ(Listed(), "P HW Prog C1 FB1 FB2 FB3 SFC4 SFC9 C2 FC5 Sym");
  for (const auto& [value, on] : std::vector<std::pair<Variant, bool>>{
           {int32_t{-1}, false}, {"2", true}, {"0", false}, {"True", true}, {Variant(), false}}) {
    options->SetValue(kShowSystem, value);
    EXPECT_EQ(cursor->ShowSystemBlocks(), on) << value.ToString();
  }
  std::weak_ptr<platform::Object> system = ItemNamed("SFC4").Shared();
  RemoveItem("SFC4");
  EXPECT_TRUE(system.expired()) << "neither the rebuilt list nor what is left of the old holds it";
}

TEST_F(ExplorerCursor, BatchesAndMovesAreFollowedAndAViewMayDropTheCursorInItsEvents) {
  Start();
  model->SetAutoRefresh(false);
  AddBelow("C2", Fb(20));
  RemoveItem("FB1");
  AddBelow("Prog", Obj("C3", "RgCategory", {Fb(30), Fb(31)}), "C1");
  model->SetAutoRefresh(true);
  EXPECT_EQ(checker->Events(),
            "auto 0 add FB20@10 remove FB1@5 add C3@6 add FB30@7 add FB31@8 total auto 1");
  std::weak_ptr<platform::Object> inserted = ItemNamed("FB30").Shared();
  RemoveItem("C3");
  cursor->Refresh();
  EXPECT_TRUE(inserted.expired()) << "an item inserted in the middle is let go like the others";
  checker->Events();
  model->RemoveProject(project);
  EXPECT_EQ(checker->Events().substr(0, 12), "project-rm P");
  EXPECT_EQ(cursor->Count().ToInt32(), 0);
  Build(Sample());
  const std::string events = checker->Events();
  EXPECT_NE(events.find("project-add P total auto 1"), std::string::npos) << events;
  auto mover = platform::CreateObjectAs<mzblprsx::IRgItemMover>(mzblprsx::clsid::kItemMover);
  mover->SetParents(ItemNamed("C1"), ItemNamed("C2"));
  mover->AddItem(ItemNamed("FB1"), nullptr, nullptr);
  mover->Execute();
  mover->SetParents(ItemNamed("Prog"), ItemNamed("Prog"));
  mover->AddItem(ItemNamed("C1"), nullptr, ItemNamed("C2"));
  mover->Execute();
  EXPECT_EQ(checker->Events(),
            "remove FB1@5 add FB1@9 remove FB2@5 remove C1@4 add C1@8 add FB2@9");
  EXPECT_EQ(Listed(), "P HW Prog FB3 C2 FC5 FB1 C1 FB2 Sym");

  checker.reset();  // a view may drop or detach the cursor inside its events
  std::weak_ptr<platform::Object> watch = cursor.Shared();
  platform::ScopedConnection drop =
      cursor->ItemRemove().Connect([this](Item, int32_t) { cursor.Reset(); });
  auto other = platform::MakeObject<RgProjectCursorExplorer>();
  other->Attach(model);
  platform::ScopedConnection detach =
      other->ItemRemove().Connect([&](Item, int32_t) { other->Detach(); });
  RemoveItem("FB1");
  EXPECT_TRUE(watch.expired()) << "released once its handler finished";
  EXPECT_TRUE(ErrorSources().empty()) << "detaching inside its own event is no error";
  expectNoErrors = false;
  EXPECT_EQ(ErrorOf([&] { other->Count(); }), platform::errc::kObjectNotSet) << "detached";
}

TEST_F(ExplorerCursor, RandomChangesKeepTheListExact) {
  Start();
  std::mt19937 random(7);
  auto mover = platform::CreateObjectAs<mzblprsx::IRgItemMover>(mzblprsx::clsid::kItemMover);
  const auto pick = [&](std::vector<std::string> typePrefixes) -> Item {
    std::vector<Item> found;
    for (const auto& item : PreOrder(model)) {
      const std::string type = item->Data()->Value("TYPE").ToString();
      for (const auto& prefix : typePrefixes) {
        if (type.rfind(prefix, 0) == 0) found.push_back(item);
      }
    }
    return found.empty() ? Item() : found[random() % found.size()];
  };
  for (int step = 0, next = 100; step < 250; ++step) {
    const auto action = random() % 10;
    if (action == 0) {
      model->SetAutoRefresh(!model->AutoRefresh());
    } else if (action <= 4) {  // somewhere below a container, hidden ones included
      const Item parent = pick({"RgFilesOnMMC", "RgCategory", "RgProgram", "RgProject"});
      const auto children = parent->Items();
      const Item after =
          children->Count() == 0 || random() % 3 == 0
              ? Item()
              : children->Item(1 + static_cast<int32_t>(random() % children->Count()));
      const auto object = random() % 4 == 0   ? SystemBlock(next++)
                          : random() % 5 == 0 ? Obj("C" + std::to_string(next++), "RgCategory",
                                                    {Fb(next++), Fb(next++)})
                                              : Fb(next++);
      AddChildren(children->AddNew(object, nullptr, after), object);
    } else if (action <= 6) {
      const Item victim = pick({"Rg"});
      if (victim->Parent()) victim->Parent()->Items()->Remove(victim);
    } else if (const Item moving = pick({"RgBlock"}), target = pick({"RgCategory"});
               moving && target) {
      mover->SetParents(moving->Parent(), target);
      mover->AddItem(moving, target->Items()->First(), nullptr);
      mover->Execute();
    }
  }
  model->SetAutoRefresh(true);
  checker->CheckNow();
  EXPECT_GT(checker->checks, 250) << "the checker ran on the events";
}

}  // namespace
}  // namespace mztest
