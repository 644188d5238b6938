#pragma once

// Small value types that the grammar's rules hand to each other.

// Where a template id such as vector<int> lies: the file position of its
// name and the unit position just after its closing ">". `found` is false
// when the id was not read completely (while guessing or after an error).
struct TemplateIdSpan {
    int namePosition = 0;
    int end = 0;
    bool found = false;
};
