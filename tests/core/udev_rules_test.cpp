#include <gtest/gtest.h>

#include <string>

#include "app/UdevRules.h"

namespace pelmar {
namespace {

// The rule's one line of matches and assignments: the mouse's hidraw nodes,
// identifiers in lowercase hex, the local user's access and the model's own
// service; every other line is a comment.
TEST(UdevRulesTest, OneRuleForTheMouseAndTheModelsService) {
    const struct {
        const Model& model;
        const char* rule;
    } cases[] = {
        {ModelA(),
         "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"18f8\", ATTRS{idProduct}==\"1286\", "
         "TAG+=\"uaccess\", TAG+=\"systemd\", ENV{SYSTEMD_USER_WANTS}+=\"pelmar.service\""},
        {ModelB(),
         "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"18f8\", ATTRS{idProduct}==\"1286\", "
         "TAG+=\"uaccess\", TAG+=\"systemd\", ENV{SYSTEMD_USER_WANTS}+=\"pelmar-b.service\""},
    };
    for (const auto& c : cases) {
        const std::string text = UdevRules(c.model);
        ASSERT_TRUE(text.ends_with("\n"));
        std::string rules;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find('\n', start)) != std::string::npos;
             start = end + 1) {
            const std::string line = text.substr(start, end - start);
            if (!line.starts_with("#")) {
                rules += line;
            }
        }
        EXPECT_EQ(rules, c.rule);
        // No mode or group: access comes from the session alone.
        EXPECT_EQ(text.find("MODE"), std::string::npos);
        EXPECT_EQ(text.find("GROUP"), std::string::npos);
    }
}

}  // namespace
}  // namespace pelmar
