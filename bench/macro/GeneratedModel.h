#pragma once

#include "HandBuiltModel.h"

// A project-wide model made up in memory, of the size and shape a project of
// about `lines` source lines gives: namespaces holding classes, structs,
// unions and enums with members of every access, free functions (some only
// declared) and global variables.
struct GeneratedModel : HandBuiltModel {
    int elements = 0;

    explicit GeneratedModel(int lines);
};
