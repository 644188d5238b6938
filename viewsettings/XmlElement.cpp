#include "XmlElement.h"

const CXmlAttribute* CXmlElement::FindAttribute(const std::string& attributeName) const
{
    for (const CXmlAttribute& attribute : attributes) {
        if (attribute.name == attributeName)
            return &attribute;
    }
    return nullptr;
}

const CXmlElement* CXmlElement::FindChild(const std::string& childName) const
{
    for (const CXmlElement& child : children) {
        if (child.name == childName)
            return &child;
    }
    return nullptr;
}

void CXmlElement::Clear()
{
    name.clear();
    value.clear();
    attributes.clear();
    children.clear();
}
