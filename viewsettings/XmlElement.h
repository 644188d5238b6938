#pragma once

#include <string>
#include <vector>

// The element tree of the colour files: elements with a name, an optional
// value written behind the name, attributes and child elements. Lists keep
// the order in which they were built or read; names may repeat.

struct CXmlAttribute {
    CXmlAttribute() = default;
    CXmlAttribute(std::string name, std::string value)
        : name(std::move(name)), value(std::move(value))
    {
    }

    std::string name;
    std::string value;
};

struct CXmlElement {
    CXmlElement() = default;
    explicit CXmlElement(std::string name) : name(std::move(name)) { }
    CXmlElement(std::string name, std::string value)
        : name(std::move(name)), value(std::move(value))
    {
    }

    void AddAttribute(const CXmlAttribute& attribute) { attributes.push_back(attribute); }
    void AddChild(const CXmlElement& child) { children.push_back(child); }

    // The first attribute or direct child whose name equals the text exactly
    // (case counts); nullptr when there is none.
    const CXmlAttribute* FindAttribute(const std::string& attributeName) const;
    const CXmlElement* FindChild(const std::string& childName) const;

    // Empties name, value, attributes and children.
    void Clear();

    std::string name;
    std::string value; // empty when the element has none
    std::vector<CXmlAttribute> attributes;
    std::vector<CXmlElement> children;
};
