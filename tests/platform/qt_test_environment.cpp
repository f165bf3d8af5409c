// Every Qt test needs one QApplication, made before the first test and kept
// until the last has run.

#include <memory>

#include <QApplication>
#include <gtest/gtest.h>

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        // Tests never need a screen; run offscreen unless told otherwise.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[17] = "qt_platform_test";
    char* argv_[2] = { name_, nullptr };
    std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] ::testing::Environment* const environment
    = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace
