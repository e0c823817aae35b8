#include "framework/Menus.h"

namespace fw {

void MenuItem::AddMenu(std::shared_ptr<MenuItem> item) { m_children.push_back(std::move(item)); }

std::shared_ptr<MenuItem> MenuItem::Child(std::string_view name) const {
  for (const auto& child : m_children)
    if (child->Name() == name) return child;
  return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::Lookup(std::string_view name) const {
  for (const auto& child : m_children) {
    if (child->Name() == name) return child;
    if (auto found = child->Lookup(name)) return found;
  }
  return nullptr;
}

EditCommand EditCommandOf(std::string_view itemName) {
  if (itemName == "EditUndo") return EditCommand::Undo;
  if (itemName == "EditCut") return EditCommand::Cut;
  if (itemName == "EditCopy") return EditCommand::Copy;
  if (itemName == "EditPaste") return EditCommand::Paste;
  if (itemName == "EditClear") return EditCommand::Clear;
  if (itemName == "EditSelectAll") return EditCommand::SelectAll;
  return EditCommand::None;
}

}  // namespace fw
