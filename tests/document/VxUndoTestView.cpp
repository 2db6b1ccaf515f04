#include "VxUndoTestView.h"

#include "platform/framework/TkMemFile.h"

CUndoTestView::CUndoTestView(CVxDoc& doc) : m_doc(doc)
{
    m_selection.SetDocument(&doc);
    doc.AddView(this);
    doc.SetUndoViewState(this);
}

CUndoTestView::~CUndoTestView()
{
    m_doc.SetUndoViewState(nullptr);
    m_doc.RemoveView(this);
}

void CUndoTestView::SerializeForUndo(CTkArchive& ar)
{
    if (ar.IsStoring()) {
        if (m_nFailingStores > 0) {
            --m_nFailingStores;
            throw CTkArchiveException(CTkArchiveException::generic);
        }
        ar << std::int32_t(m_nZoom) << std::int32_t(m_ptScroll.x) << std::int32_t(m_ptScroll.y);
        m_doc.WriteGraphicRefs(ar, m_selection);
        return;
    }
    std::int32_t nZoom = 0;
    ar >> nZoom >> m_ptScroll.x >> m_ptScroll.y;
    m_nZoom = nZoom;
    for (CVxGraphic* pGraphic : m_doc.ReadGraphicRefs(ar)) m_selection.AddChildTail(pGraphic);
}

void CUndoTestView::ResetForUndo()
{
    ++m_nResets;
    m_selection.RemoveAllChildren();
}

void CUndoTestView::OnUpdate(ITkDocumentView*, long lHint, CTkObject*)
{
    m_hints.push_back(lHint);
    // A new picture: nothing of the old one stays selected.
    if (lHint == kVxHintDeleteContents) m_selection.RemoveAllChildren();
}

std::vector<int> CUndoTestView::SelectedPlaces() const
{
    std::vector<int> places;
    const CVxPicture& picture = m_doc.GetPicture();
    for (auto pos = m_selection.GetFirstChildPosition(); pos;) {
        const CVxGraphic* pGraphic = m_selection.GetNextChild(pos);
        int nPlace = 0;
        auto at = picture.GetFirstChildPosition();
        while (at && picture.GetNextChild(at) != pGraphic) ++nPlace;
        places.push_back(nPlace < picture.GetChildCount() ? nPlace : -1);
    }
    return places;
}

UndoTestState CaptureState(CVxDoc& doc, const CUndoTestView& view)
{
    return {doc.GetPictureSize(), doc.GetUnitsPerCmSize(), doc.IsModified(), StorePicture(doc),
            view.SelectedPlaces(), view.m_nZoom, view.m_ptScroll};
}

void ExpectSameState(const UndoTestState& expected, const UndoTestState& actual)
{
    EXPECT_EQ(expected.sizePicture, actual.sizePicture);
    EXPECT_EQ(expected.sizeUnitsPerCm, actual.sizeUnitsPerCm);
    EXPECT_EQ(expected.bModified, actual.bModified);
    EXPECT_EQ(expected.graphics, actual.graphics);
    EXPECT_EQ(expected.selection, actual.selection);
    EXPECT_EQ(expected.nZoom, actual.nZoom);
    EXPECT_EQ(expected.ptScroll, actual.ptScroll);
}

std::vector<std::uint8_t> StorePicture(CVxDoc& doc)
{
    CTkMemFile file;
    {
        CTkArchive ar(&file, CTkArchive::store);
        doc.GetPicture().Serialize(ar);
    }
    return file.Detach();
}
