#include "skin/data/skin_notices_win.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "ui/form_win.h"
#include "skin/data/skin_data.h"

namespace {

void SendTo(TForm& form, TSkinData& sender, uint32_t message) {
  form.HandleNeeded();
  SendMessageW(form.Handle(), message, reinterpret_cast<WPARAM>(&sender), SkinNoticeParameter);
}

class WindowSink : public SkinNoticeSink {
 public:
  void Broadcast(TSkinData& sender, uint32_t message) override { BroadcastSkinMessage(sender, message); }
};

}  // namespace

void BroadcastSkinMessage(TSkinData& sender, uint32_t message) {
  TForm* owner = dynamic_cast<TForm*>(sender.Owner());
  if (owner) SendTo(*owner, sender, message);
  // A receiver may create or free forms while it handles the notice: walk a
  // copy, and skip a form that has gone meanwhile.
  const std::vector<TForm*> forms = AllForms();
  for (TForm* form : forms)
    if (form != owner && std::ranges::find(AllForms(), form) != AllForms().end()) SendTo(*form, sender, message);
}

SkinNoticeSink& WindowSkinNotices() {
  static WindowSink sink;
  return sink;
}
