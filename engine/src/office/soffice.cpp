#include "office/soffice.h"

#include "office/uno_util.h"

#include <unistd.h>

namespace tessaro {

Soffice::Soffice() : profile_("tessaro-engine")
{
    // The profile folder name is unique on this machine, so it makes a unique pipe name too.
    pipeName_ = "tessaro-" + profile_.path().substr(profile_.path().rfind('-') + 1) + "-" +
                std::to_string(getpid());
}

void Soffice::start()
{
    process_ = ChildProcess();
    process_ = ChildProcess(TESSARO_SOFFICE_BIN,
                            {"--headless", "--invisible", "--nologo", "--norestore", "--nodefault",
                             "--nolockcheck", "--accept=pipe,name=" + pipeName_ + ";urp;StarOffice.ComponentContext",
                             "-env:UserInstallation=" + utf8(fileUrl(profile_.path()))},
                            {"TESSARO_ENGINE_TOKEN", "TESSARO_ENGINE_PORT"});
}

}  // namespace tessaro
