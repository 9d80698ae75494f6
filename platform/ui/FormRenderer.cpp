#include "platform/ui/FormRenderer.h"

#include <algorithm>
#include <vector>

#include "platform/ui/Control.h"
#include "platform/ui/Form.h"
#include "platform/ui/MessageTip.h"
#include "platform/ui/UiState.h"

namespace platform::ui {

namespace {

bool IsContainer(const Control& control) {
  return !control.Children().empty();
}

void RenderChildren(const Window& container, const std::string& indent, std::string& out) {
  std::vector<const Control*> controls;
  for (const auto& child : container.Children()) {
    if (const auto* control = dynamic_cast<const Control*>(child.Get());
        control && control->Visible()) {
      controls.push_back(control);
    }
  }
  std::stable_sort(controls.begin(), controls.end(), [](const Control* a, const Control* b) {
    return a->Top() != b->Top() ? a->Top() < b->Top() : a->Left() < b->Left();
  });

  // A row: controls whose top lies within the height of the row's first control; containers
  // always stand alone, with their contents beneath.
  size_t i = 0;
  while (i < controls.size()) {
    const Control* first = controls[i];
    if (IsContainer(*first)) {
      if (const std::string head = first->Render(); !head.empty()) out += indent + head + "\n";
      RenderChildren(*first, indent + "  ", out);
      ++i;
      continue;
    }
    std::vector<const Control*> row{first};
    const int32_t rowEnd = first->Top() + std::max(first->Height(), int32_t{1});
    size_t j = i + 1;
    while (j < controls.size() && !IsContainer(*controls[j]) && controls[j]->Top() < rowEnd) {
      row.push_back(controls[j++]);
    }
    std::stable_sort(row.begin(), row.end(),
                     [](const Control* a, const Control* b) { return a->Left() < b->Left(); });
    std::string line;
    for (const Control* control : row) {
      const std::string text = control->Render();
      if (text.empty()) continue;
      if (!line.empty()) line += "  ";
      line += text;
    }
    if (!line.empty()) out += indent + line + "\n";
    i = j;
  }
}

void RenderTips(const Window& window, std::string& out) {
  for (const auto& tip : UiState::Current().TipsOf(window.HWnd())) {
    if (tip->IsVisible()) out += "[tip] " + tip->Render() + "\n";
  }
  for (const auto& child : window.Children()) RenderTips(*child, out);
}

}  // namespace

std::string FormRenderer::Render(const Form& form) {
  std::string out = "=== " + form.Caption() + " ===\n";
  RenderChildren(form, "", out);
  RenderTips(form, out);
  return out;
}

}  // namespace platform::ui
