// The offer at start: when the recovery folder holds copies that no running editor holds, the
// recovery box "保存されていない変更があります" lists them. "復元" reads the chosen copy into the
// page, all of it or nothing, as unsaved changes of its own file (asking first, when the page
// has unsaved changes of its own, whether to save them), and the copy becomes this editor's; the
// box then closes and the other copies wait for the next start. "破棄" removes the chosen copy
// and the box shows the rest. "あとで", or closing the box, keeps every copy.
#pragma once

#include <vector>

#include "editor/recovery/RecoveryBox.h"
#include "editor/recovery/RecoveryFolder.h"

namespace pm {

class TForm1;
class TRecoveryKeeper;

// How the box names a copy's page, its folder and its time.
TRecoveryRow RecoveryRowOf(const TRecoveryRecord& record);

// Runs the offer inside the event guard; a copy that can't be read shows its failure in the
// error box and stays in the list.
void OfferRecovery(TForm1& window, TRecoveryKeeper& keeper);

}  // namespace pm
