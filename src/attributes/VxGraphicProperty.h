#pragma once
// A named set of attribute values with a state per value: the attributes of one
// graphic, or (gathering) the attributes shared by several.

#include "platform/framework/TkObject.h"
#include "platform/gdi/GdiTypes.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>

class CTkDC;
class CVxPropertyMap;
class IVxPropertySheet;
class IVxPropertyOwner;

// Value states
constexpr std::uint32_t VX_STATE_NONE = 0;
constexpr std::uint32_t VX_STATE_DEFINED = 1;
constexpr std::uint32_t VX_STATE_MIXED = 2;

// The state words of a property's values, indexed by the property's Value enum;
// an index out of range reads as no value and is not written.
template <std::size_t N>
class CVxStateWords {
public:
    std::uint32_t Get(std::size_t i) const { return i < N ? m_states[i] : VX_STATE_NONE; }
    void Set(std::size_t i, std::uint32_t state)
    {
        if (i < N)
            m_states[i] = state;
    }
    std::uint32_t& operator[](std::size_t i) { return m_states[i]; }
    std::uint32_t operator[](std::size_t i) const { return m_states[i]; }
    void Fill(std::uint32_t state) { m_states.fill(state); }

private:
    std::array<std::uint32_t, N> m_states{};
};

class CVxGraphicProperty : public CTkObject {
    TK_DECLARE_DYNAMIC(CVxGraphicProperty)
public:
    CVxGraphicProperty(std::string name, BOOL bGathering);
    ~CVxGraphicProperty() override = default;

    // The two name strings; a stored name that is not this class's own is bad
    // data (the map hands properties out by name).
    void Serialize(CTkArchive& ar) override;
    virtual void SelectIntoDC(CTkDC* pDC);
    // Restore and outline hooks of the graphic's drawing; no property has work
    // for them.
    virtual void RestoreFromDC(CTkDC* pDC);
    virtual void SelectOutlineIntoDC(CTkDC* pDC);
    virtual void RestoreOutlineFromDC(CTkDC* pDC);
    virtual BOOL Apply(const CVxGraphicProperty& source) = 0;
    virtual void SetDefaults() = 0;
    virtual void Merge(const CVxGraphicProperty& other) = 0;
    virtual void Scale(int xNum, int yNum, int xDenom, int yDenom);
    virtual std::unique_ptr<CVxGraphicProperty> Clone() const = 0;
    // The page of the Properties sheet: added with the definite values, read
    // back as the values the user set (one undo step per use of the sheet),
    // removed. Nothing for a property without a page.
    virtual void AddPage(IVxPropertySheet* pSheet);
    virtual void ReadPage(IVxPropertySheet* pSheet);
    virtual void RemovePage(IVxPropertySheet* pSheet);
    // The dialog id of the property's page; 0 for none.
    virtual unsigned GetPageId() const;

    const std::string& GetName() const { return m_strName; }
    BOOL IsGathering() const { return m_bGathering; }
    void SetGathering(BOOL bGathering) { m_bGathering = bGathering; }
    CVxPropertyMap* GetOwnerMap() const { return m_pOwnerMap; }
    void SetOwnerMap(CVxPropertyMap* pMap) { m_pOwnerMap = pMap; }
    // The graphic behind the owner map, or null.
    IVxPropertyOwner* GetOwner() const;

    // Opens and closes the shared pen, brush and font caches around the drawing
    // of a picture. While a pass is open, other contexts' calls are ignored and an
    // inner pair on the same context leaves the pass open.
    static void BeginDrawing(CTkDC* pDC);
    static void EndDrawing(CTkDC* pDC);
    // The context of the open drawing pass, or null.
    static CTkDC* GetDrawingDC();
    // Dragged outlines: exclusive-or, transparent, dotted white pen, no fill.
    static void BeginOutlineDrawing(CTkDC* pDC);
    static void EndOutlineDrawing(CTkDC* pDC);

protected:
    // The one rule by which every value is set or gathered; returns 1 when the
    // field changed (or took its first gathered value).
    int MergeValue(void* pField, const void* pNewValue, std::size_t width,
                   std::uint32_t& state);
    template <typename T>
    int MergeValue(T& field, const T& value, std::uint32_t& state)
    {
        return MergeValue(&field, &value, sizeof(T), state);
    }
    // Merge's rule for one value: a mixed value of a gathering source stays mixed.
    template <typename T>
    int MergeFrom(T& field, std::uint32_t& state, const T& value, std::uint32_t sourceState,
                  BOOL bSourceGathering)
    {
        if (bSourceGathering && sourceState == VX_STATE_MIXED) {
            state = VX_STATE_MIXED;
            return 0;
        }
        return MergeValue(field, value, state);
    }
    std::uint32_t InitialState() const
    {
        return m_bGathering ? VX_STATE_NONE : VX_STATE_DEFINED;
    }
    // Copies the base fields (names, gathering flag) into a clone.
    void CopyBaseTo(CVxGraphicProperty& clone) const;

private:
    std::string m_strName;
    std::string m_strName2;
    CVxPropertyMap* m_pOwnerMap = nullptr;
    BOOL m_bGathering;
};
