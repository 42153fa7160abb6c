#include "platform/homefolder.h"

#include <gtest/gtest.h>

#include <map>

namespace qmx::platform {
namespace {

TEST(HomeFolder, TakesTheFirstNonEmptyVariable) {
    using Env = std::map<std::string, std::string>;
    const std::pair<Env, std::string> cases[] = {
        {{{"QMX_HOME", "/q"}, {"XDG_CONFIG_HOME", "/x"}, {"HOME", "/h"}}, "/q"},
        {{{"QMX_HOME", ""}, {"XDG_CONFIG_HOME", "/x"}, {"HOME", "/h"}}, "/x/qmx"},
        {{{"XDG_CONFIG_HOME", ""}, {"HOME", "/h"}}, "/h/.config/qmx"},
    };
    for (const auto& [env, expected] : cases) {
        const auto lookup = [&env](std::string_view name) -> std::optional<std::string> {
            const auto it = env.find(std::string(name));
            return it == env.end() ? std::nullopt : std::optional(it->second);
        };
        EXPECT_EQ(qmxHomeFolder(lookup), expected);
    }
}

} // namespace
} // namespace qmx::platform
