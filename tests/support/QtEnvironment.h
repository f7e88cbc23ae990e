#pragma once

#include <QApplication>

#include <gtest/gtest.h>
#include <memory>

// One application object for every window test of a test program, made
// before its first test and gone after its last.
class QtEnvironment : public ::testing::Environment {
public:
    explicit QtEnvironment(char* program) : program_(program) {}
    void SetUp() override
    {
        static int argc = 1;
        static char* argv[] = {program_, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    char* program_;
    std::unique_ptr<QApplication> app_;
};
