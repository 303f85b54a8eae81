// SPDX-License-Identifier: MIT
#pragma once

#include "VelPrgBarApi.h"

#include <map>
#include <QByteArray>
#include <string>

// The container's stored properties of one hosted control, handed to the
// control library as a VpbPropertyBag. Keys absent from the bag read back as
// the default the control asks with.
class PropertyBag {
public:
    PropertyBag();
    PropertyBag(const PropertyBag&) = delete;
    PropertyBag& operator=(const PropertyBag&) = delete;

    void setLong(const std::string& key, int32_t value);
    void setString(const std::string& key, const QByteArray& utf8);
    void setFont(const std::string& key, const QByteArray& utf8Name, float size, int16_t charset,
                 bool bold = false, bool italic = false);

    bool contains(const std::string& key) const;
    // The stored value of key; VPB_VT_EMPTY when absent.
    VpbVariant value(const std::string& key) const;

    const VpbPropertyBag* bag() const { return &bag_; }

private:
    struct Entry {
        int32_t type = VPB_VT_EMPTY;
        int32_t i4 = 0;
        float r4 = 0;
        int16_t boolean = 0;
        QByteArray text;        // string value, or the font's face name
        mutable VpbFont font{}; // its name points into text
    };

    void store(const std::string& key, const VpbVariant& value);
    static void read(void* context, const char* key, const VpbVariant* def, VpbVariant* out);
    static void write(void* context, const char* key, const VpbVariant* value, const VpbVariant* def);
    VpbVariant variantOf(const Entry& entry) const;

    std::map<std::string, Entry> entries_;
    VpbPropertyBag bag_;
};
