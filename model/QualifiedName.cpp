#include "QualifiedName.h"

std::string CQualifiedName::ToString() const
{
    std::string text = relative ? "" : "::";
    for (const std::string& scope : scopes) {
        text += scope;
        text += "::";
    }
    text += name;
    return text;
}
