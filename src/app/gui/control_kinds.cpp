// The table of control kinds, in the order of Kind.
#include "app/gui/control_kinds.h"

#include <iterator>

#include "app/gui/gui_app.h"
#include "app/gui/gui_ids.h"
#include "app/gui/list_binding.h"

namespace veltrane::gui {

namespace {

void FillTabs(Binding& binding) {
  auto& tabs = static_cast<TabStrip*>(binding.model)->Tabs();
  for (size_t i = 0; i < tabs.size(); ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(tabs[i].c_str());
    ::SendMessageA(binding.hwnd, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
}

void FillCombo(Binding& binding) {
  for (const auto& text : static_cast<ComboBox*>(binding.model)->Tabs()) {
    ::SendMessageA(binding.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

void UnlimitLog(Binding& binding) {
  ::SendMessageA(binding.hwnd, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
}

constexpr KindStyle kKinds[] = {
    {Kind::kFrame, kFrameClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, true, FontRole::kNormal, nullptr},
    {Kind::kGroup, kFrameClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, true, FontRole::kBold, nullptr},
    {Kind::kLabel, "STATIC", SS_NOPREFIX, 0, true, FontRole::kNormal, nullptr},
    {Kind::kHeading, "STATIC", SS_NOPREFIX, 0, true, FontRole::kBold, nullptr},
    {Kind::kButton, "BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, true, FontRole::kNormal, nullptr},
    {Kind::kPicture, kPictureClass, 0, 0, true, FontRole::kNormal, nullptr},
    {Kind::kCheck, "BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, true, FontRole::kNormal, nullptr},
    {Kind::kText, "EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, true, FontRole::kNormal, nullptr},
    {Kind::kTimer, nullptr, 0, 0, false, FontRole::kNormal, nullptr},
    {Kind::kTab, WC_TABCONTROLA, WS_TABSTOP | WS_CLIPSIBLINGS, 0, false, FontRole::kNormal, FillTabs},
    {Kind::kCombo, "COMBOBOX", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, 0, false, FontRole::kNormal,
     FillCombo},
    {Kind::kList, WC_LISTVIEWA, WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
     WS_EX_CLIENTEDGE, false, FontRole::kNormal, SetUpListView},
    {Kind::kLog, "EDIT", WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL,
     WS_EX_CLIENTEDGE, false, FontRole::kLog, UnlimitLog},
};

constexpr bool InKindOrder() {
  for (size_t i = 0; i < std::size(kKinds); ++i) {
    if (static_cast<size_t>(kKinds[i].kind) != i) return false;
  }
  return std::size(kKinds) == static_cast<size_t>(Kind::kLog) + 1;
}
static_assert(InKindOrder(), "one entry per kind, in the order of Kind");

}  // namespace

const KindStyle& StyleOf(Kind kind) {
  return kKinds[static_cast<size_t>(kind)];
}

}  // namespace veltrane::gui
