#pragma once
// A named set of attribute values with a state per value: the attributes of one
// graphic, or (gathering) the attributes shared by several.

#include "platform/framework/TkObject.h"
#include "platform/gdi/GdiTypes.h"

#include <cstddef>
#include <memory>
#include <string>

class CTkDC;
class CVxPropertyMap;
class CVxPropertySheet;

// Value states
constexpr std::uint32_t VX_STATE_NONE = 0;
constexpr std::uint32_t VX_STATE_DEFINED = 1;
constexpr std::uint32_t VX_STATE_MIXED = 2;

class CVxGraphicProperty : public CTkObject {
    TK_DECLARE_DYNAMIC(CVxGraphicProperty)
public:
    CVxGraphicProperty(std::string name, BOOL bGathering);
    ~CVxGraphicProperty() override = default;

    void Serialize(CTkArchive& ar) override;
    virtual void SelectIntoDC(CTkDC* pDC);
    virtual BOOL Apply(const CVxGraphicProperty& source) = 0;
    virtual void SetDefaults() = 0;
    virtual void Merge(const CVxGraphicProperty& other) = 0;
    virtual void Scale(int xNum, int yNum, int xDenom, int yDenom);
    virtual std::unique_ptr<CVxGraphicProperty> Clone() const = 0;
    // The page hooks; the pages come with the editor.
    virtual void AddPage(CVxPropertySheet* pSheet);
    virtual void ReadPage(CVxPropertySheet* pSheet);
    virtual void RemovePage(CVxPropertySheet* pSheet);

    const std::string& GetName() const { return m_strName; }
    BOOL IsGathering() const { return m_bGathering; }
    void SetGathering(BOOL bGathering) { m_bGathering = bGathering; }
    CVxPropertyMap* GetOwnerMap() const { return m_pOwnerMap; }
    void SetOwnerMap(CVxPropertyMap* pMap) { m_pOwnerMap = pMap; }

    // Opens and closes the shared pen, brush and font caches around the drawing
    // of a picture.
    static void BeginDrawing(CTkDC* pDC);
    static void EndDrawing(CTkDC* pDC);

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
