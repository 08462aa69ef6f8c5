#include "TestNeeds.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace teran::test {

namespace {
std::map<std::string, std::string>& declared() {
    static std::map<std::string, std::string> suites;
    return suites;
}
} // namespace

bool declareNeeds(const char* suite, const char* services) {
    declared()[suite] = services;
    return true;
}

bool runningTestDeclaresNeeds() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    if (test == nullptr)
        return false;
    const std::string name = test->name(); // "Case" or "Case/Parameter"
    if (name.find("/MariaDb") != std::string::npos)
        return true;
    // A parameterised suite is named "Instances/Suite".
    std::string suite = test->test_suite_name();
    suite = suite.substr(suite.rfind('/') + 1);
    for (const std::string& key : {suite, suite + '.' + name.substr(0, name.find('/'))}) {
        const auto found = declared().find(key);
        if (found != declared().end() && !found->second.empty())
            return true;
    }
    return false;
}

} // namespace teran::test
