// The program's one menu bar: File, Edit and Window with their named items.
// It only builds and names its entries; the windows bind handlers by Name.
#pragma once

#include <memory>

#include "framework/base/Exceptions.h"
#include "framework/Menus.h"
#include "framework/Window.h"

namespace lumetra {

class MenuBar1 : public fw::MenuBar {
 public:
  // Builds the three menus, File, Edit, Window, in that order.
  MenuBar1();
  std::string_view ClassName() const override { return "MenuBar1"; }

  // The single instance, built on the first call. A build that fails stores
  // nothing, so the next call starts again from an empty bar.
  static std::shared_ptr<MenuBar1> Implicit();

 private:
  void Untitled0();
  void Untitled1();
  void Untitled2();

  static std::shared_ptr<MenuBar1> implicitInstance;
};

// The accessors of MenuBar1's items through a window's menu bar, for the
// windows that carry it.
class MenuBar1Items {
 public:
  fw::MenuItem& InfoMenu() const;
  fw::MenuItem& InfoItem() const;
  fw::MenuItem& ControlItem() const;
  fw::MenuItem& EditMenu() const;
  fw::MenuItem& EditSelectAll() const;
  fw::MenuItem& UntitledMenu0() const;
  fw::MenuItem& EditClear() const;
  fw::MenuItem& EditPaste() const;
  fw::MenuItem& EditCopy() const;
  fw::MenuItem& EditCut() const;
  fw::MenuItem& UntitledMenu1() const;
  fw::MenuItem& EditUndo() const;
  fw::MenuItem& FileMenu() const;
  fw::PrefsMenuItem& AboutItem() const;
  fw::QuitMenuItem& FileQuit() const;

 protected:
  explicit MenuBar1Items(const fw::Window& window) : m_window(window) {}

 private:
  template <class T>
  T& Find(std::string_view name) const;
  const fw::Window& m_window;
};

}  // namespace lumetra
