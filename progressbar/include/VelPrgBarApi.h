/* SPDX-License-Identifier: MIT */
/*
 * VelPrgBar: the plain C interface through which a host creates a
 * VelProgressBar and talks to it late, by dispatch identifier.
 *
 * A host loads the library at run time and looks up one symbol,
 * VelPrgBar_GetApi, asking for the interface version it was written for.
 * Nothing here needs Qt: the parent and the widget are opaque pointers
 * (a QWidget* for a Qt host).
 */
#ifndef VELPRGBAR_API_H
#define VELPRGBAR_API_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define VELPRGBAR_API_VERSION 1
#define VELPRGBAR_ENTRY_POINT "VelPrgBar_GetApi"
#define VELPRGBAR_CLASS_NAME "VelPrgBar.VelProgressBar"

/* Dispatch identifiers of _VelProgressBar. */
#define VPB_DISPID_VALUE      ((int32_t)0x68030000)
#define VPB_DISPID_FONT       ((int32_t)0x68030001)
#define VPB_DISPID_STEP       ((int32_t)0x68030002)
#define VPB_DISPID_TEXT       ((int32_t)0x68030003)
#define VPB_DISPID_STRINGTYPE ((int32_t)0x68030004)
#define VPB_DISPID_MAXIMUM    ((int32_t)0x68030005)
#define VPB_DISPID_MINIMUM    ((int32_t)0x68030006)
#define VPB_DISPID_FWCOLOR    ((int32_t)0x68030007)
#define VPB_DISPID_COUNTUP    ((int32_t)0x6003000C)
/* Supplied by the container, never by the control. */
#define VPB_DISPID_VISIBLE    ((int32_t)0x80010007)

/* Invoke kinds (same bits as the classic dispatch flags). */
#define VPB_INVOKE_METHOD      1
#define VPB_INVOKE_GET         2
#define VPB_INVOKE_PUT         4
#define VPB_INVOKE_PUTREF      8

/* Result codes (the classic dispatch error values). */
#define VPB_S_OK                ((int32_t)0)
#define VPB_E_MEMBERNOTFOUND    ((int32_t)0x80020003)
#define VPB_E_TYPEMISMATCH      ((int32_t)0x80020005)
#define VPB_E_OVERFLOW          ((int32_t)0x8002000A)
#define VPB_E_BADPARAMCOUNT     ((int32_t)0x8002000E)
#define VPB_E_INVALIDARG        ((int32_t)0x80070057)
#define VPB_E_FAIL              ((int32_t)0x80004005)

/* StringTypeConstants */
#define VPB_STYPE_NONE       0
#define VPB_STYPE_PERCENT    1
#define VPB_STYPE_FRACTION   2
#define VPB_STYPE_VALUE      3
#define VPB_STYPE_FREESTRING 4

typedef struct VpbFont {
    const char *name;   /* UTF-8 face name */
    float size;         /* points */
    int16_t bold, italic, underline, strikethrough; /* 0 or -1 */
    int16_t charset;    /* 128 for Shift-JIS faces */
} VpbFont;

enum VpbVarType {
    VPB_VT_EMPTY = 0,
    VPB_VT_I4 = 3,      /* Long (also OLE_COLOR and StringTypeConstants) */
    VPB_VT_R4 = 4,
    VPB_VT_STRING = 8,  /* UTF-8 */
    VPB_VT_BOOL = 11,   /* 0 or -1 */
    VPB_VT_FONT = 9     /* a VpbFont */
};

/* A value crossing the interface. Strings and fonts returned by the library
 * stay valid until the next call on the same control. */
typedef struct VpbVariant {
    int32_t type;
    union {
        int32_t i4;
        float r4;
        int16_t boolean;
        const char *str;
        const VpbFont *font;
    } v;
} VpbVariant;

/* The container's property bag: read with a default, write with a default
 * (a value equal to its default need not be stored). Keys are UTF-8; the
 * control copies what read() returns before it calls the bag again, so
 * strings and fonts in *out need only live until the next call. */
typedef struct VpbPropertyBag {
    void *context;
    /* Fills *out with the stored value of key, or with *def when none is stored. */
    void (*read)(void *context, const char *key, const VpbVariant *def, VpbVariant *out);
    void (*write)(void *context, const char *key, const VpbVariant *value, const VpbVariant *def);
} VpbPropertyBag;

/* The container site. */
typedef struct VpbSite {
    void *context;
    /* The control tells its container that a persisted property changed. */
    void (*propertyChanged)(void *context, const char *propertyName);
} VpbSite;

typedef struct VpbControl VpbControl;

/* Type information. */
typedef struct VpbMemberInfo {
    const char *name;
    int32_t dispid;
    int32_t kinds;          /* VPB_INVOKE_* bits */
    const char *paramName;  /* "" for a method without parameter */
    const char *paramType;  /* "Long", "OLE_COLOR", "String", ... */
    const char *helpString; /* UTF-8 */
} VpbMemberInfo;

typedef struct VpbEnumMember {
    const char *name;
    int32_t value;
    const char *helpString;
} VpbEnumMember;

typedef struct VpbTypeLibrary {
    const char *libraryName;      /* "VelPrgBar" */
    const char *description;      /* one line, UTF-8 */
    const char *className;        /* "VelProgressBar" */
    const char *interfaceName;    /* "_VelProgressBar" */
    const char *eventInterfaceName; /* "__VelProgressBar" */
    int32_t memberCount;
    const VpbMemberInfo *members; /* in slot order */
    const char *enumName;         /* "StringTypeConstants" */
    int32_t enumMemberCount;
    const VpbEnumMember *enumMembers;
} VpbTypeLibrary;

typedef struct VpbApi {
    int32_t version; /* VELPRGBAR_API_VERSION */

    /* Creates a control as a child of parent (a QWidget* for Qt hosts), of
     * width x height twips. With a bag its saved properties are restored
     * (ReadProperties); without one it starts as a new instance. The site
     * may be null. Returns null on failure. */
    VpbControl *(*create)(void *parent, int32_t widthTwips, int32_t heightTwips,
                          const VpbPropertyBag *bag, const VpbSite *site);
    void (*destroy)(VpbControl *control);
    /* The control's widget (a QWidget*), for the container to place and show. */
    void *(*widget)(VpbControl *control);
    /* Resizes the control, in twips; the control keeps its 20-pixel minimum. */
    void (*resize)(VpbControl *control, int32_t widthTwips, int32_t heightTwips);

    /* Invoke a member by dispatch identifier. For PUT and PUTREF args[0] is
     * the new value; GET and METHOD take no argument. result may be null.
     * Numbers convert as the classic runtime does (Singles and numeric text
     * round halves to even). Returns VPB_S_OK, or VPB_E_MEMBERNOTFOUND for an
     * unknown identifier or kind (VPB_DISPID_VISIBLE included: the container
     * answers it), VPB_E_BADPARAMCOUNT, VPB_E_TYPEMISMATCH, VPB_E_INVALIDARG,
     * VPB_E_FAIL when the widget is already gone, and VPB_E_OVERFLOW when
     * CountUp, Minimum, Maximum or Step would leave 32 bits, changing nothing. */
    int32_t (*invoke)(VpbControl *control, int32_t dispid, int32_t kind,
                      const VpbVariant *args, int32_t argCount, VpbVariant *result);

    /* WriteProperties into the bag. */
    void (*save)(VpbControl *control, const VpbPropertyBag *bag);

    const VpbTypeLibrary *(*typeLibrary)(void);

    /* Self-registration for the current user; VPB_S_OK on success.
     * registerServer records the class under the group
     * [VelPrgBar.VelProgressBar] of $XDG_CONFIG_HOME/VelPrgBar/Controls.ini
     * (~/.config/VelPrgBar/Controls.ini when unset), with the keys Library
     * (absolute path of this library file), EntryPoint, ApiVersion and
     * Description; unregisterServer removes that group. */
    int32_t (*registerServer)(void);
    int32_t (*unregisterServer)(void);
} VpbApi;

/* The one exported entry point: null when the version is not supported. */
typedef const VpbApi *(*VelPrgBar_GetApiFn)(int32_t version);

#if defined(__GNUC__)
#define VELPRGBAR_C_EXPORT __attribute__((visibility("default")))
#else
#define VELPRGBAR_C_EXPORT
#endif

/* For hosts that link the library instead of loading it. */
VELPRGBAR_C_EXPORT const VpbApi *VelPrgBar_GetApi(int32_t version);

#ifdef __cplusplus
}
#endif

#endif /* VELPRGBAR_API_H */
