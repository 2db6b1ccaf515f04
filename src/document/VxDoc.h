#pragma once
// The one picture document: the picture with its size and units, the GDI objects
// that imported brushes still use, reading and writing metafiles, and the undo
// history.

#include "attributes/VxDocumentContext.h"
#include "graphics/VxPicture.h"
#include "import/VxIgnoredMetafileRecords.h"
#include "import/VxImportReading.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkPair.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TkEnhMetaFile.h"
#include "platform/gdi/TkGlobalBlock.h"
#include "platform/gdi/TkMetaFile.h"
#include "resources/VxResourceIds.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class CTkDC;
class CTkFile;
class CVxEmfToVxConverter;
class CVxGraphic;
class CVxDocMemento;
class CVxUndoHistory;

// Update hints the document sends to its views.
constexpr long kVxHintSelection = 2;  // the selection's area changed
constexpr long kVxHintDeleteContents = 3;
constexpr long kVxHintPictureSize = 4;
constexpr long kVxHintImportedObjects = 5;

// What the view adds to an undo snapshot (its selection, zoom and scroll
// position); the view implements it and registers with SetUndoViewState. The
// selected graphics go in through CVxDoc::WriteGraphicRefs and come back
// through ReadGraphicRefs: the picture has written them into the archive
// before the view, and an archive refuses to write an object twice.
class IVxUndoViewState {
public:
    virtual ~IVxUndoViewState() = default;
    virtual void SerializeForUndo(CTkArchive& ar) = 0;
    // Drops transient state before a snapshot is read back.
    virtual void ResetForUndo() = 0;
};

// What the last successful open made of its file (the command-line tool's info).
struct VxImportReport {
    VxImportKind kind = VxImportKind::None;
    RECT rcFrame{};  // the converter's frame, hundredths of a millimetre
    std::vector<DWORD> ignored;  // record types nothing took, first met first
};

class CVxDoc : public CVxDocumentContext {
public:
    // The global block of an imported DIB pattern; brushes name it until the
    // document goes.
    using PackedDib = CTkGlobalBlock;

    // bEmbedded: the default size comes from the "Embedded…" values.
    explicit CVxDoc(bool bEmbedded = false);
    ~CVxDoc() override;
    CVxDoc(const CVxDoc&) = delete;
    CVxDoc& operator=(const CVxDoc&) = delete;

    // --- the picture and its size
    CVxPicture& GetPicture() { return *m_pPicture; }
    SIZE GetPictureSize() const { return m_sizePicture; }
    void SetPictureSize(SIZE size, BOOL bResizeObjects);
    BOOL IsValidPictureSize(SIZE size);
    RECT GetSafePictureBounds();
    BOOL CanSaveAsWmf() const;
    BOOL HasPolyPolylines();
    BOOL HasWidePatternedLines();
    SIZE FitSizeForWmf(SIZE size) const;
    static SIZE GetDeviceUnitsPerMetre(const CTkDC* pDC);
    void PrepareMetafileDC(CTkDC& dc);
    void SetPictureSizeToFrame(const RECT& frame);
    void AddImportedGdiObjects(std::vector<HBITMAP>& bitmaps, std::vector<PackedDib>& globals);
    bool HasPatternBitmaps() const { return !m_bitmaps.empty(); }
    SIZE GetUnitsPerCmSize() const { return m_sizeUnitsPerCm; }
    CTkPair<double> GetUnitsPerCm() const override { return m_unitsPerCm; }
    CTkPair<double> GetUnitsPerInch() const { return m_unitsPerInch; }

    // Empties the picture, restores the default size and units, clears undo.
    virtual void DeleteContents();

    // --- reading and writing
    // Loading reads a metafile into the picture (an empty file is an empty
    // picture); storing writes EMF, or placeable WMF when m_strSavePath ends in
    // ".wmf". 0 or the message id of the failure (not shown).
    UINT Serialize(CTkArchive& ar);
    // Opens a file. The file is read and converted first; only when that works
    // does the document drop its picture for the new one. On failure the message
    // has been shown and the document is as it was.
    bool OnOpenDocument(const std::string& strPath);
    // Writes the document to strPath through a temporary file in the same
    // folder, renamed over the target only when everything was written. On
    // failure the message has been shown and any file at strPath is untouched.
    bool OnSaveDocument(const std::string& strPath);
    // The save sequence with the metafile checks. pPath null: ask for the name
    // through the file dialog service (VxFileDialogService.h). The checks'
    // questions go through the message service.
    bool DoSave(const std::string* pPath, bool bReplace = true);
    void OnFileSave();
    void OnFileSaveAs();
    // Sets the path name and takes the file name (with extension) as the title;
    // the file goes to the top of the recent-file list.
    void SetPathName(const std::string& strPath);
    const VxImportReport& GetLastImport() const { return m_lastImport; }
    // Converts metafile bytes from elsewhere (a paste) as loading does, with
    // the same bounds and settings, leaving the document alone: 0 with the
    // converter holding the graphics, or the message id. Files of other kinds
    // than those accepted are refused.
    UINT ConvertMetafile(std::vector<std::uint8_t> bytes, std::span<const VxImportKind> accepted,
                         std::unique_ptr<CVxEmfToVxConverter>& pConverter);

    std::unique_ptr<CTkEnhMetaFile> RenderToEnhMetaFile(CVxGraphic& graphic);
    std::unique_ptr<CTkMetaFile> RenderToWinMetaFile(CVxGraphic& graphic);
    UINT WriteEmf(CTkArchive& ar);
    UINT WriteWmf(CTkArchive& ar);
    static void MakePlaceableHeader(BYTE header[22], int left, int top, int right,
                                    int bottom, int unitsPerInch);

    // --- undo and redo
    BOOL CanUndo() const;
    BOOL CanRedo() const;
    void SaveUndoState() override;
    // A bookmark of the history's position, compared by identity only.
    const void* GetUndoState() const;
    void DiscardLastUndoState();
    void DiscardUndoStatesUntil(const void* pBookmark);
    BOOL UndoUntilUndoState(const void* pBookmark);
    std::unique_ptr<CVxDocMemento> CreateMemento();
    void SetMemento(CVxDocMemento& memento);
    BOOL SerializeForUndo(CTkFile& file, bool bLoading);
    void OnEditUndo();
    void OnEditRedo();
    // What the Undo and Redo update handlers answer, the "-x1" switch included.
    bool IsUndoEnabled();
    bool IsRedoEnabled();
    void OnUpdateEditUndo(CTkCmdUI& cmdUI);
    void OnUpdateEditRedo(CTkCmdUI& cmdUI);
    // File Save, Save As, Undo and Redo.
    bool OnCmdMsg(unsigned nID, CTkCmdUI* pCmdUI) override;
    void SetUndoViewState(IVxUndoViewState* pView) { m_pUndoView = pView; }
    CVxUndoHistory& GetUndoHistory() { return *m_pUndoHistory; }
    // The view's share of a snapshot names the graphics it refers to (its
    // selection's children) by their place in the picture instead of writing
    // them again: the picture has written them into the same archive already,
    // and an archive writes each object only once.
    void WriteGraphicRefs(CTkArchive& ar, const CVxGraphic& group);
    // The picture's graphics that WriteGraphicRefs named, in its order.
    std::vector<CVxGraphic*> ReadGraphicRefs(CTkArchive& ar);

    std::string m_strSavePath;

private:
    void SetUnitsPerCm(SIZE size);
    // Before a snapshot is read back, and after that failed: default page,
    // empty picture, the view's transient state dropped, marked modified.
    void ResetForSnapshotLoad();
    void ExchangeUndoSnapshot(CTkArchive& ar);
    // Scales and moves every graphic as if the page were stretched about its origin.
    void ResizeGraphics(SIZE sizeOld, SIZE sizeNew);
    std::unique_ptr<CVxEmfToVxConverter> MakeConverter();
    // Reads the file at the archive into the converter; 0 or the message id.
    UINT ImportInto(CTkArchive& ar, CVxEmfToVxConverter& converter, VxImportReport& report);
    // Moves what the converter made into the picture and sizes the page to it.
    void TakeImport(CVxEmfToVxConverter& converter, VxImportReport& report);
    // Loading: the file is converted first; only then, with bReplace, the old
    // contents are dropped. 0 or the message id; on failure nothing changed.
    UINT Load(CTkArchive& ar, bool bReplace);
    // Serialises the document into a file next to strPath, then renames it over
    // strPath; 0 or the message id.
    UINT WriteFile(const std::string& strPath);
    // The save checks on strName; false when the user cancelled.
    bool RunSaveChecks(std::string& strName, bool bDefaultExtension);
    std::u16string GetMetafileDescription() const;

    SIZE m_sizePicture{};
    SIZE m_sizeDefault{};
    SIZE m_sizeUnitsPerCm{};
    SIZE m_sizeDefaultUnitsPerCm{};
    std::unique_ptr<CVxPicture> m_pPicture;
    std::unique_ptr<CVxUndoHistory> m_pUndoHistory;
    CTkPair<double> m_unitsPerCm{};
    CTkPair<double> m_unitsPerInch{};
    std::vector<HBITMAP> m_bitmaps;
    std::vector<PackedDib> m_globals;
    RECT m_rcSafeBounds{};
    bool m_bSafeBoundsKnown = false;
    VxImportReport m_lastImport;
    IVxUndoViewState* m_pUndoView = nullptr;
};
