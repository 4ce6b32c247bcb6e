/** @file screen_sizes.h Names of screen-size test parameters. */
#pragma once

#include <QSize>

#include <gtest/gtest.h>

#include <string>

/**
 * Names a screen-size case "1024x768" in the test listing. A name generator
 * of its own, since a PrintTo for QSize would be seen by some test files and
 * not by others, and the linker keeps only one printer.
 */
inline std::string screenSizeName(const testing::TestParamInfo<QSize> &info)
{
    return std::to_string(info.param.width()) + "x" + std::to_string(info.param.height());
}
