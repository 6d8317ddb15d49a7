#include "encoding/mGdip.h"

#include <cstdlib>

#include "platform/services/system.h"

namespace mGdip {

plat::GraphicsTokenValue GraphicsToken = 0;

EndProgramFn EndProgram = [] { std::_Exit(1); };

void StartGraphics() {
    if (plat::GraphicsStartup(GraphicsToken) != plat::gp::Ok) {
        plat::MsgBox(kStartFailureText, kStartFailureTitle, plat::kMsgCritical | plat::kMsgOk);
        EndProgram();
    }
}

void StopGraphics() { plat::GraphicsShutdown(GraphicsToken); }

}  // namespace mGdip
