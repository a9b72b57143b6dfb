#include "support/vorlan.h"

namespace test_support {

RunResult run_vorlan(Scratch const& scratch, std::vector<std::string> const& args, std::string const& input) {
    return run(VORLAN_TOOL, args, scratch.dir(), input);
}

std::map<std::string, std::string> snapshot_without_scripts(Scratch const& scratch) {
    std::map<std::string, std::string> fichiers = scratch.snapshot();
    for (char const* script : {"script.lua", "vorlan-tool.lua"}) fichiers.erase(script);
    return fichiers;
}

RunResult run_script(Scratch const& scratch, std::string const& script, std::string const& startup) {
    scratch.write("vorlan-tool.lua", startup);
    scratch.write("script.lua", script);
    RunResult r = run_vorlan(scratch, {"-e", "script.lua"});
    std::size_t eol = r.out.find('\n');
    if (eol != std::string::npos) r.out.erase(0, eol + 1);
    return r;
}

}  // namespace test_support
