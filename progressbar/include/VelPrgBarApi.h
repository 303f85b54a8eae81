/* SPDX-License-Identifier: MIT */
/*!
 * \file VelPrgBarApi.h
 * \brief The plain C interface of VelPrgBar: create a VelProgressBar and
 * reach it late, by dispatch identifier.
 *
 * A host loads the library at run time (or links it) and looks up one
 * symbol, VelPrgBar_GetApi(), asking for the interface version it was
 * written for; everything else goes through the returned VpbApi table.
 * Nothing here needs Qt: the parent and the widget are opaque pointers (a
 * QWidget* for a Qt host), and the control still lives inside the host's
 * Qt application.
 *
 * The members are the classic control's: properties are read with
 * VPB_INVOKE_GET and written with VPB_INVOKE_PUT (the font with
 * VPB_INVOKE_PUTREF), CountUp is called with VPB_INVOKE_METHOD. Setters
 * clamp out-of-range values as VelProgressBar does, but arithmetic that
 * leaves 32 bits fails with VPB_E_OVERFLOW instead of saturating.
 */
#ifndef VELPRGBAR_API_H
#define VELPRGBAR_API_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/*! \brief The interface version these declarations describe; pass it to VelPrgBar_GetApi(). */
#define VELPRGBAR_API_VERSION 1
/*! \brief The name of the one exported symbol, for dlsym(). */
#define VELPRGBAR_ENTRY_POINT "VelPrgBar_GetApi"
/*! \brief The class name under which registerServer records the control. */
#define VELPRGBAR_CLASS_NAME "VelPrgBar.VelProgressBar"

/*!
 * \name Dispatch identifiers of _VelProgressBar
 * The members a host reaches through VpbApi::invoke, with the type of
 * their value. They are fixed: saved hosts call them by number.
 * @{
 */
/*! Value, Long: clamped to Minimum..Maximum when set. */
#define VPB_DISPID_VALUE ((int32_t)0x68030000)
/*! Font, a VpbFont: set by reference (VPB_INVOKE_PUTREF); reads at the fitted size. */
#define VPB_DISPID_FONT ((int32_t)0x68030001)
/*! Step, Long: what CountUp adds, kept within 1..Maximum - Minimum. */
#define VPB_DISPID_STEP ((int32_t)0x68030002)
/*! Text, String: the caption last drawn; settable only with VPB_STYPE_FREESTRING. */
#define VPB_DISPID_TEXT ((int32_t)0x68030003)
/*! StringType, Long: one of VPB_STYPE_*; others read back as VPB_STYPE_NONE. */
#define VPB_DISPID_STRINGTYPE ((int32_t)0x68030004)
/*! Maximum, Long: at or below Minimum it becomes Minimum + 1. */
#define VPB_DISPID_MAXIMUM ((int32_t)0x68030005)
/*! Minimum, Long: at or above Maximum it becomes Maximum - 1. */
#define VPB_DISPID_MINIMUM ((int32_t)0x68030006)
/*! FwColor, OLE_COLOR 0x00BBGGRR: values outside 0..0xFFFFFF are refused with a message box. */
#define VPB_DISPID_FWCOLOR ((int32_t)0x68030007)
/*! CountUp, a method without arguments: adds Step to Value, never past Maximum. */
#define VPB_DISPID_COUNTUP ((int32_t)0x6003000C)
/*! Visible: supplied by the container, never by the control
 *  (invoke answers VPB_E_MEMBERNOTFOUND). */
#define VPB_DISPID_VISIBLE ((int32_t)0x80010007)
/*! @} */

/*!
 * \name Invoke kinds
 * The \c kind of VpbApi::invoke: the same bits as the classic dispatch flags.
 * @{
 */
#define VPB_INVOKE_METHOD 1 /*!< Call a method (CountUp). */
#define VPB_INVOKE_GET    2 /*!< Read a property into \c result. */
#define VPB_INVOKE_PUT    4 /*!< Write a property from \c args[0]. */
#define VPB_INVOKE_PUTREF 8 /*!< Write an object property (Font) from \c args[0]. */
/*! @} */

/*!
 * \name Result codes
 * What VpbApi::invoke and the registration functions return: the classic
 * dispatch error values.
 * @{
 */
#define VPB_S_OK             ((int32_t)0)          /*!< Done. */
#define VPB_E_MEMBERNOTFOUND ((int32_t)0x80020003) /*!< No such member, or not with that kind. */
/*! The argument does not convert to the member's type. */
#define VPB_E_TYPEMISMATCH ((int32_t)0x80020005)
/*! The value or the arithmetic leaves 32 bits; nothing changed. */
#define VPB_E_OVERFLOW ((int32_t)0x8002000A)
/*! Wrong number of arguments for the kind. */
#define VPB_E_BADPARAMCOUNT ((int32_t)0x8002000E)
#define VPB_E_INVALIDARG    ((int32_t)0x80070057) /*!< A null control, or arguments missing. */
/*! The widget is already gone, or registration failed. */
#define VPB_E_FAIL ((int32_t)0x80004005)
/*! @} */

/*!
 * \name StringTypeConstants
 * What the caption shows (VPB_DISPID_STRINGTYPE); the same values as
 * VelProgressBar::StringTypeConstants.
 * @{
 */
#define VPB_STYPE_NONE       0 /*!< No caption. */
#define VPB_STYPE_PERCENT    1 /*!< The share of the range, one decimal and "%". */
#define VPB_STYPE_FRACTION   2 /*!< The value "/" the maximum. */
#define VPB_STYPE_VALUE      3 /*!< The value. */
#define VPB_STYPE_FREESTRING 4 /*!< The text set through VPB_DISPID_TEXT. */
/*! @} */

/*! \brief A caption font as hosts describe and store it. */
typedef struct VpbFont {
    const char* name; /*!< UTF-8 face name. */
    /*! Points; the caption is drawn, and reads back, at the size fitted to the bar. */
    float size;
    int16_t bold;          /*!< 0 or -1. */
    int16_t italic;        /*!< 0 or -1. */
    int16_t underline;     /*!< 0 or -1. */
    int16_t strikethrough; /*!< 0 or -1. */
    int16_t charset;       /*!< Character set, kept for saving only: 128 for Shift-JIS faces. */
} VpbFont;

/*! \brief The type of a VpbVariant. */
enum VpbVarType {
    VPB_VT_EMPTY = 0,  /*!< No value. */
    VPB_VT_I4 = 3,     /*!< Long (also OLE_COLOR and StringTypeConstants), in \c v.i4. */
    VPB_VT_R4 = 4,     /*!< Single, in \c v.r4; rounds halves to even where a Long is wanted. */
    VPB_VT_STRING = 8, /*!< UTF-8 text, in \c v.str. */
    VPB_VT_BOOL = 11,  /*!< 0 or -1, in \c v.boolean. */
    VPB_VT_FONT = 9    /*!< A VpbFont, in \c v.font. */
};

/*!
 * \brief A value crossing the interface.
 *
 * Strings and fonts returned by the library stay valid until the next call
 * on the same control.
 */
typedef struct VpbVariant {
    int32_t type; /*!< A VpbVarType. */
    /*! \brief The value, by \c type. */
    union {
        int32_t i4;          /*!< VPB_VT_I4 */
        float r4;            /*!< VPB_VT_R4 */
        int16_t boolean;     /*!< VPB_VT_BOOL */
        const char* str;     /*!< VPB_VT_STRING */
        const VpbFont* font; /*!< VPB_VT_FONT */
    } v;
} VpbVariant;

/*!
 * \brief The container's property bag, in which a control's settings are
 * saved and restored.
 *
 * Read with a default, write with a default (a value equal to its default
 * need not be stored). Keys are UTF-8: "FWColor", "StringType", "Minimum",
 * "Maximum", "Value", "Text", "Step" and "Font". The control copies what
 * read() returns before it calls the bag again, so strings and fonts in
 * \c *out need only live until the next call. A stored value of the wrong
 * type counts as missing.
 */
typedef struct VpbPropertyBag {
    void* context; /*!< Passed back to read() and write(). */
    /*! Fills \c *out with the stored value of \c key, or with \c *def when none is stored. */
    void (*read)(void* context, const char* key, const VpbVariant* def, VpbVariant* out);
    /*! Stores \c value under \c key; \c def is the value a missing key reads as. */
    void (*write)(void* context, const char* key, const VpbVariant* value, const VpbVariant* def);
} VpbPropertyBag;

/*! \brief The container site: how the control reaches its container. */
typedef struct VpbSite {
    void* context; /*!< Passed back to propertyChanged(). */
    /*! The control tells its container that a persisted property was set
     *  ("StringType" or "Font"). */
    void (*propertyChanged)(void* context, const char* propertyName);
} VpbSite;

/*! \brief One control made by VpbApi::create; opaque to the host. */
typedef struct VpbControl VpbControl;

/*! \brief One member of the type library, as VpbApi::typeLibrary describes it. */
typedef struct VpbMemberInfo {
    const char* name;       /*!< "Value", "CountUp", ... */
    int32_t dispid;         /*!< One of VPB_DISPID_*. */
    int32_t kinds;          /*!< VPB_INVOKE_* bits */
    const char* paramName;  /*!< "" for a method without parameter */
    const char* paramType;  /*!< "Long", "OLE_COLOR", "String", ... */
    const char* helpString; /*!< UTF-8 */
} VpbMemberInfo;

/*! \brief One value of the StringTypeConstants enumeration. */
typedef struct VpbEnumMember {
    const char* name;       /*!< "stypeNone", ... */
    int32_t value;          /*!< One of VPB_STYPE_*. */
    const char* helpString; /*!< UTF-8 */
} VpbEnumMember;

/*! \brief The type library: the control's class, its members in slot order and its enumeration. */
typedef struct VpbTypeLibrary {
    const char* libraryName;          /*!< "VelPrgBar" */
    const char* description;          /*!< one line, UTF-8 */
    const char* className;            /*!< "VelProgressBar" */
    const char* interfaceName;        /*!< "_VelProgressBar" */
    const char* eventInterfaceName;   /*!< "__VelProgressBar": the control raises no events. */
    int32_t memberCount;              /*!< Entries in \c members. */
    const VpbMemberInfo* members;     /*!< in slot order */
    const char* enumName;             /*!< "StringTypeConstants" */
    int32_t enumMemberCount;          /*!< Entries in \c enumMembers. */
    const VpbEnumMember* enumMembers; /*!< In value order. */
} VpbTypeLibrary;

/*!
 * \brief The functions of the interface, as VelPrgBar_GetApi() returns them.
 *
 * All calls come on the host's user-interface thread, while its
 * QApplication exists.
 */
typedef struct VpbApi {
    int32_t version; /*!< VELPRGBAR_API_VERSION */

    /*!
     * Creates a control as a child of \c parent (a QWidget* for Qt hosts,
     * or null), of \c widthTwips x \c heightTwips twips (15 to the pixel;
     * when either is zero or less, the designed 3045 x 510). With a bag its saved
     * properties are restored (ReadProperties); without one it starts as a
     * new instance. The site may be null. Returns null on failure, and when
     * there is no QApplication.
     */
    VpbControl* (*create)(void* parent, int32_t widthTwips, int32_t heightTwips, const VpbPropertyBag* bag,
                          const VpbSite* site);
    /*! Destroys the control and its widget. Null does nothing. */
    void (*destroy)(VpbControl* control);
    /*! The control's widget (a QWidget*), for the container to place and show. */
    void* (*widget)(VpbControl* control);
    /*! Resizes the control, in twips; the control keeps its 20-pixel minimum. */
    void (*resize)(VpbControl* control, int32_t widthTwips, int32_t heightTwips);

    /*!
     * Invokes a member by dispatch identifier. For PUT and PUTREF
     * \c args[0] is the new value; GET and METHOD take no argument.
     * \c result may be null. Numbers convert as the classic runtime does
     * (Singles and numeric text round halves to even). Returns VPB_S_OK, or
     * VPB_E_MEMBERNOTFOUND for an unknown identifier or kind
     * (VPB_DISPID_VISIBLE included: the container answers it),
     * VPB_E_BADPARAMCOUNT, VPB_E_TYPEMISMATCH, VPB_E_INVALIDARG, VPB_E_FAIL
     * when the widget is already gone, and VPB_E_OVERFLOW when CountUp,
     * Minimum, Maximum or Step would leave 32 bits, changing nothing.
     */
    int32_t (*invoke)(VpbControl* control, int32_t dispid, int32_t kind, const VpbVariant* args,
                      int32_t argCount, VpbVariant* result);

    /*! Saves the control's properties into the bag (WriteProperties), each with its default. */
    void (*save)(VpbControl* control, const VpbPropertyBag* bag);

    /*! The type library, for hosts and tools that list the members. */
    const VpbTypeLibrary* (*typeLibrary)(void);

    /*!
     * Self-registration for the current user; VPB_S_OK on success.
     * Records the class under the group [VelPrgBar.VelProgressBar] of
     * $XDG_CONFIG_HOME/VelPrgBar/Controls.ini
     * (~/.config/VelPrgBar/Controls.ini when unset), with the keys Library
     * (absolute path of this library file), EntryPoint, ApiVersion and
     * Description.
     */
    int32_t (*registerServer)(void);
    /*! Removes what registerServer recorded; VPB_S_OK on success. */
    int32_t (*unregisterServer)(void);
} VpbApi;

/*! \brief The type of VelPrgBar_GetApi(), for a host that looks it up with dlsym(). */
typedef const VpbApi* (*VelPrgBar_GetApiFn)(int32_t version);

/*! \cond INTERNAL */
#if defined(__GNUC__)
#define VELPRGBAR_C_EXPORT __attribute__((visibility("default")))
#else
#define VELPRGBAR_C_EXPORT
#endif
/*! \endcond */

/*!
 * \brief The one exported entry point.
 *
 * Returns the interface table for \a version, or null when the library does
 * not support that version. Hosts that load the library look it up by the
 * name VELPRGBAR_ENTRY_POINT; hosts that link it call it directly.
 */
VELPRGBAR_C_EXPORT const VpbApi* VelPrgBar_GetApi(int32_t version);

#ifdef __cplusplus
}
#endif

#endif /* VELPRGBAR_API_H */
