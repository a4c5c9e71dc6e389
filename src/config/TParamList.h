// A list of texts each carrying an integer tag: the parameter catalogue of a
// block, each line tagged with its parameter number.
#pragma once

#include <string>
#include <vector>

struct TParamLine {
    std::string Text;
    int Tag = 0;
};

using TParamList = std::vector<TParamLine>;
