// Keeping the real controls in step with their models: whole-state syncs, change notifications and the
// flush of gathered row and log changes.
#include "app/gui/form_layouts.h"
#include "app/gui/gui_app.h"
#include "app/gui/list_binding.h"
#include "app/gui/win_text.h"

namespace veltrane::gui {

void GuiApp::Sync(Binding& binding) {
  Control& model = *binding.model;
  if (binding.kind == Kind::kTimer) {
    auto& timer = static_cast<Timer&>(model);
    if (timer.Enabled() && timer.Interval() > 0) {
      ::SetTimer(binding.hwnd, binding.timerId, timer.Interval(), nullptr);
    } else {
      ::KillTimer(binding.hwnd, binding.timerId);
    }
    return;
  }
  HWND hwnd = binding.hwnd;
  switch (binding.kind) {
    case Kind::kLabel:
    case Kind::kHeading:
    case Kind::kButton:
    case Kind::kCheck:
    case Kind::kGroup:
      if (WindowText(hwnd) != model.Caption()) SetText(hwnd, model.Caption());
      break;
    case Kind::kPicture:
      ::InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case Kind::kText:
      if (WindowText(hwnd) != model.Caption()) {
        bool wasSyncing = syncing_;
        syncing_ = true;
        SetText(hwnd, model.Caption());
        syncing_ = wasSyncing;
      }
      break;
    default:
      break;
  }
  if (binding.kind == Kind::kCheck) {
    ::SendMessageW(hwnd, BM_SETCHECK,
                   static_cast<CheckBox&>(model).Value() == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
  } else if (binding.kind == Kind::kTab) {
    ::SendMessageW(hwnd, TCM_SETCURSEL, static_cast<WPARAM>(static_cast<TabStrip&>(model).SelectedIndex()),
                   0);
  } else if (binding.kind == Kind::kCombo) {
    ::SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(static_cast<ComboBox&>(model).SelectedIndex()), 0);
  } else if (binding.kind == Kind::kList) {
    RebuildColumns(binding);
    binding.dirty = true;
    ScheduleFlush();
  } else if (binding.kind == Kind::kLog) {
    binding.dirty = true;
    ScheduleFlush();
  }
  // A frame on a tab page shows only while its tab is selected; everything else shows as its model says.
  bool isTabPage =
      binding.kind == Kind::kFrame && dialogForm_.hwnd != nullptr && ::GetParent(hwnd) == dialogForm_.hwnd;
  if (!isTabPage) ::ShowWindow(hwnd, model.Visible() ? SW_SHOWNA : SW_HIDE);
  ::EnableWindow(hwnd, model.Enabled() ? TRUE : FALSE);
}

void GuiApp::OnChanged(const Control& control, Change change, size_t index) {
  Form* forms[] = {&mainForm_, &dialogForm_, &splashForm_};
  for (Form* form : forms) {
    if (&control == form->model && form->hwnd != nullptr) {
      // The windows themselves: caption changes; showing and hiding is decided after each handler.
      if (change == Change::kCaption) SetText(form->hwnd, control.Caption());
      return;
    }
    auto found = form->byModel.find(&control);
    if (found == form->byModel.end()) continue;
    Binding& binding = *found->second;
    switch (change) {
      case Change::kRowAdded:
      case Change::kRowRemoved:
      case Change::kRowChanged:
      case Change::kRowsCleared:
        if (!syncing_) OnListRowsChanged(binding, change, index);
        ScheduleFlush();
        return;
      case Change::kColumns:
        RebuildColumns(binding);
        return;
      case Change::kValue:
        if (binding.kind == Kind::kPicture) {
          ApplyPicture(binding);
          return;
        }
        if (binding.kind == Kind::kText) {
          auto& text = static_cast<const TextBox&>(control);
          ::SendMessageW(binding.hwnd, EM_SETSEL, text.SelStart(), text.SelStart() + text.SelLength());
          return;
        }
        if (binding.kind == Kind::kList) {
          if (!syncing_) SelectListRow(binding);
          return;
        }
        if (binding.kind == Kind::kTab) {
          Sync(binding);
          ShowTabPage(static_cast<const TabStrip&>(control).SelectedIndex());
          return;
        }
        if (syncing_) return;
        Sync(binding);
        return;
      case Change::kCaption:
        if (binding.kind == Kind::kLog) {
          binding.dirty = true;
          ScheduleFlush();
          return;
        }
        if (syncing_ && binding.kind == Kind::kText) return;
        Sync(binding);
        return;
      case Change::kVisible:
      case Change::kEnabled:
        Sync(binding);
        if (form == &dialogForm_ && binding.kind == Kind::kFrame && boundDialog_ != nullptr) {
          ShowTabPage(boundDialog_->tabCustomSettings.SelectedIndex());
        }
        return;
    }
  }
}

void GuiApp::ApplyPicture(Binding& binding) {
  std::string shown = binding.pictureFile;
  binding.pictureFile = static_cast<Picture*>(binding.model)->PictureFile();
  // A file that cannot be read keeps the picture shown, as a failed load leaves a picture box as it was.
  if (!LoadPicture(binding)) binding.pictureFile = shown;
  ::InvalidateRect(binding.hwnd, nullptr, TRUE);
  ::UpdateWindow(binding.hwnd);
}

void GuiApp::ShowTabPage(int index) {
  if (boundDialog_ == nullptr || dialogForm_.hwnd == nullptr) return;
  for (int tab = 0; tab < 5; ++tab) {
    Frame* frame = boundDialog_->TabFrame(tab);
    auto found = dialogForm_.byModel.find(frame);
    if (found == dialogForm_.byModel.end()) continue;
    HWND page = found->second->hwnd;
    ::ShowWindow(page, tab == index && frame->Visible() ? SW_SHOW : SW_HIDE);
    if (tab == index) ::SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void GuiApp::Flush() {
  flushPosted_ = false;
  for (Form* form : {&mainForm_, &dialogForm_}) {
    if (form == &dialogForm_ && !DialogAlive()) continue;
    for (Binding& binding : form->bindings) {
      if (!binding.dirty) continue;
      binding.dirty = false;
      if (binding.kind == Kind::kList) {
        FlushListView(binding);
      } else if (binding.kind == Kind::kLog) {
        SetText(binding.hwnd, EditText(static_cast<RichText*>(binding.model)->Text()));
      }
    }
  }
}

Form* GuiApp::FormOf(HWND hwnd) {
  for (Form* form : {&mainForm_, &dialogForm_, &splashForm_}) {
    if (form->hwnd == hwnd && hwnd != nullptr) return form;
  }
  return nullptr;
}

Form* GuiApp::FormOfChild(HWND hwnd) {
  for (Form* form : {&mainForm_, &dialogForm_, &splashForm_}) {
    if (form->byWindow.count(hwnd) != 0) return form;
  }
  return nullptr;
}

HWND GuiApp::FindControl(std::string_view formName, std::string_view controlName) {
  for (Form* form : {&mainForm_, &dialogForm_, &splashForm_}) {
    if (form->name != formName || form->hwnd == nullptr) continue;
    if (controlName.empty() || controlName == form->name) return form->hwnd;
    if (Binding* binding = form->Find(controlName))
      return binding->kind == Kind::kTimer ? nullptr : binding->hwnd;
  }
  return nullptr;
}

}  // namespace veltrane::gui
