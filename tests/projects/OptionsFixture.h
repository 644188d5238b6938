#pragma once

#include "Options.h"
#include "TempFolder.h"
#include "UiRecorder.h"

#include <gtest/gtest.h>

#include <memory>

// Options over a settings file and option-file folder of their own, with the
// user-interface recorder installed first (it also takes the options' first
// start prompt, which is forgotten).
class OptionsFixture : public ::testing::Test {
protected:
    OptionsFixture()
        : options(std::make_unique<COptions>(folder.File("Kestrin.ini"), folder.Path()))
    {
        ui.calls.clear();
    }

    TempFolder folder;
    UiRecorder ui;
    std::unique_ptr<COptions> options;
};
