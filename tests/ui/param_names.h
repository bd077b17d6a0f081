#pragma once

#include <gtest/gtest.h>

#include <string>

namespace velmora::ui {

// Names each case of a parameterised test after its table row's name.
struct RowName {
    template <typename Row> std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

} // namespace velmora::ui
