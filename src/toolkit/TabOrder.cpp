// Which windowed controls may take the focus, and in what order Tab visits
// them.
#include "toolkit/Controls.h"
#include "toolkit/Forms.h"

bool TWinControl::CanFocus() {
  TForm *form = GetParentForm(this);
  if (form == nullptr) return false;
  for (TWinControl *c = this; c != nullptr; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (Focused() || !CanFocus()) return;
  GetParentForm(this)->FocusControl(this);
}

void TWinControl::GetTabOrderList(TList<TWinControl> &List) {
  for (TWinControl *child : FTabList) {
    List.Add(child);
    child->GetTabOrderList(List);
  }
}

TWinControl *TWinControl::FindNextControl(TWinControl *Current, bool GoForward, bool CheckTabStop, bool CheckParent) {
  TList<TWinControl> list;
  GetTabOrderList(list);
  if (list.Count() == 0) return nullptr;
  const int32_t count = list.Count();
  int32_t start = list.IndexOf(Current);
  if (start < 0) start = GoForward ? count - 1 : 0;
  int32_t i = start;
  do {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    TWinControl *candidate = list[i];
    if (candidate->CanFocus() && (!CheckTabStop || candidate->TabStop()) &&
        (!CheckParent || candidate->Parent() == this))
      return candidate;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl *Current, bool GoForward, bool CheckTabStop) {
  if (TWinControl *next = FindNextControl(Current, GoForward, CheckTabStop, !CheckTabStop)) next->SetFocus();
}
