#include "remplacement/tool-output.h"

#include <cstdio>
#include <cstring>

namespace Remplacement {

bool Tool_output::prepare(std::string const& path, char const* refusal) {
    path_ = path;
    Etat const state = file_.preparer(path);
    if (state.remplace()) return true;
    if (state.etape == Etape::creation && file_.existe())
        std::printf("unable to create a temporary file beside %s: %s; the file was not changed\n", path.c_str(),
                    std::strerror(state.erreur));
    else
        std::printf(refusal, path.c_str());
    return false;
}

bool Tool_output::commit(void const* bytes, std::size_t size, char const* failure) {
    Etat const state = file_.valider(bytes, size);
    if (state.etape == Etape::dossier)
        std::printf("warning: the folder of %s could not be synced (%s); the file is already the new one\n",
                    path_.c_str(), std::strerror(state.erreur));
    if (state.remplace()) return true;
    std::printf(failure, path_.c_str());
    std::printf("cause: %s; %s was not changed\n", std::strerror(state.erreur), path_.c_str());
    return false;
}

}  // namespace Remplacement
