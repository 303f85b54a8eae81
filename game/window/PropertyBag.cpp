// SPDX-License-Identifier: MIT
#include "PropertyBag.h"

PropertyBag::PropertyBag()
{
    bag_.context = this;
    bag_.read = &PropertyBag::read;
    bag_.write = &PropertyBag::write;
}

void PropertyBag::setLong(const std::string& key, int32_t value)
{
    Entry& e = entries_[key];
    e = Entry{};
    e.type = VPB_VT_I4;
    e.i4 = value;
}

void PropertyBag::setString(const std::string& key, const QByteArray& utf8)
{
    Entry& e = entries_[key];
    e = Entry{};
    e.type = VPB_VT_STRING;
    e.text = utf8;
}

void PropertyBag::setFont(const std::string& key, const QByteArray& utf8Name, float size, int16_t charset,
                          bool bold, bool italic)
{
    Entry& e = entries_[key];
    e = Entry{};
    e.type = VPB_VT_FONT;
    e.text = utf8Name;
    e.font.size = size;
    e.font.bold = bold ? -1 : 0;
    e.font.italic = italic ? -1 : 0;
    e.font.charset = charset;
}

bool PropertyBag::contains(const std::string& key) const
{
    return entries_.count(key) != 0;
}

VpbVariant PropertyBag::value(const std::string& key) const
{
    const auto it = entries_.find(key);
    if (it == entries_.end()) {
        VpbVariant empty{};
        empty.type = VPB_VT_EMPTY;
        return empty;
    }
    return variantOf(it->second);
}

VpbVariant PropertyBag::variantOf(const Entry& entry) const
{
    VpbVariant v{};
    v.type = entry.type;
    switch (entry.type) {
    case VPB_VT_I4: v.v.i4 = entry.i4; break;
    case VPB_VT_R4: v.v.r4 = entry.r4; break;
    case VPB_VT_BOOL: v.v.boolean = entry.boolean; break;
    case VPB_VT_STRING: v.v.str = entry.text.constData(); break;
    case VPB_VT_FONT: {
        // Refreshed on every read: the entry's text may have been reallocated.
        entry.font.name = entry.text.constData();
        v.v.font = &entry.font;
        break;
    }
    default: break;
    }
    return v;
}

void PropertyBag::store(const std::string& key, const VpbVariant& value)
{
    switch (value.type) {
    case VPB_VT_I4: setLong(key, value.v.i4); break;
    case VPB_VT_R4: {
        Entry& e = entries_[key];
        e = Entry{};
        e.type = VPB_VT_R4;
        e.r4 = value.v.r4;
        break;
    }
    case VPB_VT_BOOL: {
        Entry& e = entries_[key];
        e = Entry{};
        e.type = VPB_VT_BOOL;
        e.boolean = value.v.boolean;
        break;
    }
    case VPB_VT_STRING: setString(key, QByteArray(value.v.str ? value.v.str : "")); break;
    case VPB_VT_FONT:
        if (value.v.font) {
            const VpbFont& f = *value.v.font;
            setFont(key, QByteArray(f.name ? f.name : ""), f.size, f.charset, f.bold != 0, f.italic != 0);
            Entry& e = entries_[key];
            e.font.underline = f.underline;
            e.font.strikethrough = f.strikethrough;
        }
        break;
    default: entries_.erase(key); break;
    }
}

void PropertyBag::read(void* context, const char* key, const VpbVariant* def, VpbVariant* out)
{
    if (!out)
        return;
    auto* self = static_cast<PropertyBag*>(context);
    const auto it = key ? self->entries_.find(key) : self->entries_.end();
    if (it != self->entries_.end())
        *out = self->variantOf(it->second);
    else if (def)
        *out = *def;
    else
        *out = VpbVariant{};
}

void PropertyBag::write(void* context, const char* key, const VpbVariant* value, const VpbVariant*)
{
    if (!key || !value)
        return;
    static_cast<PropertyBag*>(context)->store(key, *value);
}
