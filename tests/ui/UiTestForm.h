// A small form shaped like the overwrite dialog, an event recorder, and the fixture of both.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Ref.h"
#include "platform/Signal.h"
#include "platform/ui/BlockEditBox.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Form.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Label.h"
#include "platform/ui/OptionButton.h"

namespace uitest {

using platform::Ref;
namespace ui = platform::ui;

class AskForm : public ui::Form {
 public:
  AskForm() {
    SetCaption("Block exists");
    Move(0, 0, 4740, 3645);
    text = AddControl<ui::Label>("lblText");
    text->SetCaption("FB10 exists already.");
    text->Move(120, 120, 4575, 615);
    options = AddControl<ui::Frame>("fraOptions");
    options->Move(120, 840, 4575, 2175);
    options->SetTabIndex(1);
    rename = AddOption("optRename", "Rename", 60, 2);
    label = AddControl<ui::Label>("lblNew", options.Get());
    label->SetCaption("New:");
    label->Move(420, 420, 735, 195);
    entry = AddControl<ui::BlockEditBox>("bexNew", options.Get());
    entry->Move(1200, 360, 3315, 315);
    entry->SetTabIndex(3);
    overwrite = AddOption("optOverwrite", "Overwrite", 1320, 4);
    ignore = AddOption("optIgnore", "Ignore", 1740, 5);
    ok = AddButton("cmdOK", "OK", 60, 9);
    all = AddButton("cmdAll", "All", 1800, 10);
    cancel = AddButton("cmdCancel", "Cancel", 3540, 11);
  }
  std::string_view TypeName() const override { return "AskForm"; }

  Ref<ui::Label> text;
  Ref<ui::Frame> options;
  Ref<ui::OptionButton> rename;
  Ref<ui::Label> label;
  Ref<ui::BlockEditBox> entry;
  Ref<ui::OptionButton> overwrite;
  Ref<ui::OptionButton> ignore;
  Ref<ui::CommandButton> ok;
  Ref<ui::CommandButton> all;
  Ref<ui::CommandButton> cancel;

 private:
  Ref<ui::OptionButton> AddOption(const char* name, const char* caption, int32_t top, int16_t tab) {
    auto option = AddControl<ui::OptionButton>(name, options.Get());
    option->SetCaption(caption);
    option->Move(0, top, 3435, 240);
    option->SetTabIndex(tab);
    return option;
  }
  Ref<ui::CommandButton> AddButton(const char* name, const char* caption, int32_t left,
                                   int16_t tab) {
    auto button = AddControl<ui::CommandButton>(name);
    button->SetCaption(caption);
    button->Move(left, 3030, 1095, 345);
    button->SetTabIndex(tab);
    return button;
  }
};

/// Collects what handlers saw, in order, as one compact text ("GotFocus:cmdOK Click:cmdOK").
class Recorder {
 public:
  void Note(const std::string& what) { events_.push_back(what); }
  /// Records GotFocus, LostFocus and (for buttons and options) Click of a control.
  void Watch(const Ref<ui::Control>& control) {
    const std::string name = control->Name();
    connections_.emplace_back(control->GotFocus().Connect([this, name] { Note("Got:" + name); }));
    connections_.emplace_back(control->LostFocus().Connect([this, name] { Note("Lost:" + name); }));
    if (auto button = control.As<ui::CommandButton>()) {
      connections_.emplace_back(button->Click().Connect([this, name] { Note("Click:" + name); }));
    }
    if (auto option = control.As<ui::OptionButton>()) {
      connections_.emplace_back(option->Click().Connect([this, name] { Note("Click:" + name); }));
    }
  }
  /// The events so far, separated by blanks; clears them.
  std::string Take() {
    std::string out;
    for (const auto& e : events_) out += (out.empty() ? "" : " ") + e;
    events_.clear();
    return out;
  }

 private:
  std::vector<std::string> events_;
  std::vector<platform::ScopedConnection> connections_;
};

/// A fresh AskForm whose every control the recorder watches.
class FormFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& c : form->Controls()) recorder.Watch(c);
  }
  Ref<AskForm> form = platform::MakeObject<AskForm>();
  Recorder recorder;
};

}  // namespace uitest
