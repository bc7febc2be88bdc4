#pragma once

#include "killformulas/KillResult.h"

namespace qv {

// The kill-formula pages "杀号公式" and "杀蓝公式". Red feeds TeListView5 and the text
// pane Memo19, blue TeListView6 and Memo20: after a run the front end is told
// ViewChanged("TeListView5") / ViewChanged("Memo19") (blue: "TeListView6", "Memo20") and
// reads the rows and the rate lines from here. Nothing of it is stored on disk.
struct KillState
{
    KillVerification Red;
    KillVerification Blue;
};

} // namespace qv
