#pragma once
// The base of every page of a property sheet (attribute pages, the Picture
// page, the option pages): a widget known by its dialog template id, whose
// caption is the string of that id.
//
// An attribute page keeps two copies of its property: what it shows (the
// gathered values, then the user's) and what the user set. It loads only the
// definite values, so mixed ones show indeterminate, and the sheet reads back
// only what the user set.

#include "attributes/VxGraphicProperty.h"

#include <QWidget>

#include <initializer_list>
#include <memory>

class CVxDocumentContext;
class CVxPropertySheet;
class QLineEdit;

class CVxPropertyPage : public QWidget {
public:
    explicit CVxPropertyPage(unsigned nIdTemplate);
    ~CVxPropertyPage() override;

    unsigned GetTemplateId() const { return m_nIdTemplate; }
    QString GetCaption() const;
    // The sheet the page is on; null before it is added.
    CVxPropertySheet* GetSheet() const;

    // Checks the page's fields before the sheet closes with OK. False keeps
    // the sheet open on this page; the page has told the user why.
    virtual bool OnKillActive() { return true; }
    // The page is on its sheet (GetSheet answers).
    virtual void OnInitPage() {}

    // The values the user set (state 1, the others not applied); null on a
    // page without a property.
    const CVxGraphicProperty* GetUserValues() const { return m_pUserValues.get(); }

    // pField's text as an integer from nMin to nMax; otherwise false, after
    // the range message and with the field selected for correction.
    static bool ReadIntegerField(QLineEdit* pField, int nMin, int nMax, int& nValue);

protected:
    // pUnset: a property of the same class whose values have no state yet.
    void LoadValues(const CVxGraphicProperty& property, std::unique_ptr<CVxGraphicProperty> pUnset);
    // The document of the loaded property's graphic (its units); may be null.
    const CVxDocumentContext* GetDocument() const { return m_pDocument; }
    template <class P>
    const P& Shown() const
    {
        return static_cast<const P&>(*m_pShown);
    }
    template <class P>
    bool IsDefined(typename P::Value v) const
    {
        return Shown<P>().GetState(v) == VX_STATE_DEFINED;
    }
    // The user set a value: both copies take it, then the page refreshes.
    template <class P, class Set>
    void SetValue(typename P::Value v, Set set)
    {
        for (CVxGraphicProperty* pValues : {m_pShown.get(), m_pUserValues.get()}) {
            auto& values = static_cast<P&>(*pValues);
            values.SetState(v, VX_STATE_NONE);
            set(values);
        }
        OnValuesChanged();
    }
    // A value the user made unreadable: shown indeterminate, not applied.
    template <class P>
    void ForgetValue(typename P::Value v)
    {
        static_cast<P&>(*m_pShown).SetState(v, VX_STATE_MIXED);
        static_cast<P&>(*m_pUserValues).SetState(v, VX_STATE_MIXED);
        OnValuesChanged();
    }
    // The sheet's colour dialog opened on color; true when one was chosen.
    bool RunColorDialog(COLORREF& color) const;
    // The values changed: samples and swatches follow.
    virtual void OnValuesChanged() {}
    // For pages whose values are not kept per state (Position).
    CVxGraphicProperty& UserValues() { return *m_pUserValues; }

private:
    unsigned m_nIdTemplate;
    std::unique_ptr<CVxGraphicProperty> m_pShown;
    std::unique_ptr<CVxGraphicProperty> m_pUserValues;
    const CVxDocumentContext* m_pDocument = nullptr;
};
