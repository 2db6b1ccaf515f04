#include "cli/VxCliCommands.h"

#include "document/VxDoc.h"
#include "editing/VxPictureRenderer.h"
#include "import/VxIgnoredMetafileRecords.h"
#include "import/VxImportReading.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"
#include "platform/gdi/TkEmfReader.h"
#include "resources/VxResourceIds.h"

#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace {

constexpr int kMaxWidthArgument = CVxPictureRenderer::kMaxImageSide;

// Installs the tool's answerer and settings for one command line and puts the
// previous ones back afterwards.
class CInstalled {
public:
    CInstalled(ITkMessageService& messages, ITkSettings& settings)
        : m_previousMessages(TkGetMessageService()), m_previousSettings(TkGetSettings())
    {
        TkSetMessageService(&messages);
        TkSetSettings(&settings);
    }
    ~CInstalled()
    {
        TkSetMessageService(&m_previousMessages);
        TkSetSettings(&m_previousSettings);
    }
    CInstalled(const CInstalled&) = delete;
    CInstalled& operator=(const CInstalled&) = delete;

private:
    ITkMessageService& m_previousMessages;
    ITkSettings& m_previousSettings;
};

std::string FormatName(VxImportKind kind)
{
    switch (kind) {
    case VxImportKind::Enhanced: return "EMF";
    case VxImportKind::PlaceableWindows: return "WMF (placeable)";
    case VxImportKind::Windows: return "WMF";
    case VxImportKind::ClipboardEnhanced: return "CLP (EMF)";
    case VxImportKind::ClipboardWindows: return "CLP (WMF)";
    case VxImportKind::None: break;
    }
    return "empty";
}

std::string LowerExtension(const std::string& strPath)
{
    std::string ext = std::filesystem::path(strPath).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

bool ParseWidth(const std::string& text, int& nWidth)
{
    const char* pEnd = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), pEnd, nWidth);
    return ec == std::errc() && ptr == pEnd && nWidth >= 1 && nWidth <= kMaxWidthArgument;
}

bool ReadWholeFile(const std::string& strPath, std::vector<std::uint8_t>& bytes)
{
    std::ifstream in(strPath, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

CVxCliCommands::CVxCliCommands(std::ostream& out, std::ostream& err)
    : m_out(out), m_err(err), m_messages(err)
{
    // The tool lists what an import left out whatever the user has chosen.
    m_settings.WriteProfileInt("Application", "DisplayUnhandledMetafileRecordWarnings", 1);
}

CVxCliCommands::~CVxCliCommands()
{
    // The document reads the settings while it is taken apart.
    const CInstalled installed(m_messages, m_settings);
    m_pDoc.reset();
}

CVxDoc& CVxCliCommands::NewDocument()
{
    m_pDoc.reset();  // one picture at a time
    m_pDoc = std::make_unique<CVxDoc>();
    return *m_pDoc;
}

std::string CVxCliCommands::GetUsage()
{
    return "usage: glyphar-cli info FILE\n"
           "       glyphar-cli dump FILE\n"
           "       glyphar-cli convert IN OUT [--width N] [--fit-wmf]\n"
           "       glyphar-cli --help\n"
           "\n"
           "info     what the document makes of FILE: format, frame, picture size,\n"
           "         graphics by type, ignored record types\n"
           "dump     one line per record of FILE's enhanced metafile (a WMF or CLP file\n"
           "         as converted on reading): index, record name, size in bytes\n"
           "convert  reads IN and writes OUT by its extension: .emf, .wmf (placeable),\n"
           "         .png (--width N pixels wide; default the picture's size at 96 dpi)\n"
           "         or .pdf; --fit-wmf shrinks a picture too big for a WMF to fit\n"
           "\n"
           "exit status: 0 done, 1 usage, 2 input not read, 3 output not written\n";
}

int CVxCliCommands::Run(const std::vector<std::string>& args)
{
    const CInstalled installed(m_messages, m_settings);
    m_messages.SetFitSizeForWmf(false);
    return Dispatch(args);
}

int CVxCliCommands::Dispatch(const std::vector<std::string>& args)
{
    if (args.empty())
        return UsageError("no command given");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h") {
        m_out << GetUsage();
        return kDone;
    }
    if (command == "info" || command == "dump") {
        if (args.size() != 2)
            return UsageError(command + " takes one FILE");
        return command == "info" ? Info(args[1]) : Dump(args[1]);
    }
    if (command == "convert") {
        ConvertArgs parsed;
        if (!ParseConvert(args, parsed))
            return kUsage;
        return Convert(parsed);
    }
    return UsageError("unknown command '" + command + "'");
}

int CVxCliCommands::UsageError(const std::string& strWhy)
{
    m_err << "glyphar-cli: " << strWhy << '\n' << GetUsage();
    return kUsage;
}

bool CVxCliCommands::ParseConvert(const std::vector<std::string>& args, ConvertArgs& parsed)
{
    std::vector<std::string> files;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--fit-wmf") {
            parsed.bFitWmf = true;
        } else if (arg == "--width") {
            if (i + 1 >= args.size() || !ParseWidth(args[i + 1], parsed.nWidth)) {
                UsageError("--width needs a number of pixels from 1 to " +
                           std::to_string(kMaxWidthArgument));
                return false;
            }
            ++i;
        } else if (arg.starts_with("--")) {
            UsageError("unknown option '" + arg + "'");
            return false;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) {
        UsageError("convert takes IN and OUT");
        return false;
    }
    const std::string ext = LowerExtension(files[1]);
    if (ext != ".emf" && ext != ".wmf" && ext != ".png" && ext != ".pdf") {
        UsageError("OUT must end in .emf, .wmf, .png or .pdf");
        return false;
    }
    parsed.strIn = files[0];
    parsed.strOut = files[1];
    return true;
}

bool CVxCliCommands::Open(CVxDoc& doc, const std::string& strPath)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(strPath, ec)) {
        m_messages.Error("cannot open '" + strPath + "': no such file");
        return false;
    }
    const int nErrorsBefore = m_messages.GetErrorCount();
    if (doc.OnOpenDocument(strPath))
        return true;
    if (m_messages.GetErrorCount() == nErrorsBefore)
        m_messages.Error(TkFormatMessage(IDS_FILE_NOT_READ, {}));
    return false;
}

int CVxCliCommands::Info(const std::string& strPath)
{
    CVxDoc& doc = NewDocument();
    if (!Open(doc, strPath))
        return kNotRead;
    const VxImportReport& report = doc.GetLastImport();
    const RECT& frame = report.rcFrame;
    const SIZE size = doc.GetPictureSize();
    CVxPicture& picture = doc.GetPicture();
    m_out << "format: " << FormatName(report.kind) << '\n'
          << "frame: " << frame.left << ' ' << frame.top << ' ' << frame.right << ' '
          << frame.bottom << '\n'
          << "picture: " << size.cx << " x " << size.cy << '\n'
          << "graphics: " << picture.GetChildCount() << '\n';
    std::map<std::string, int> counts;
    for (CVxGraphic::POSITION pos = picture.GetFirstChildPosition(); pos != nullptr;)
        ++counts[picture.GetNextChild(pos)->GetTypeName()];
    for (const auto& [name, count] : counts)
        m_out << name << ": " << count << '\n';
    for (DWORD type : report.ignored)
        m_out << "ignored: " << CVxIgnoredMetafileRecords::GetRecordName(type) << '\n';
    return kDone;
}

// The records the converter walks: the file's own enhanced metafile, or the one
// a Windows metafile or clipboard file is turned into on reading.
int CVxCliCommands::Dump(const std::string& strPath)
{
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(strPath, bytes)) {
        m_messages.Error("cannot open '" + strPath + "'");
        return kNotRead;
    }
    if (bytes.empty())
        return kDone;  // an empty file is an empty picture: no records
    CTkMemFile file(std::move(bytes));
    CTkArchive ar(&file, CTkArchive::load);
    const std::unique_ptr<CVxEnhMetaFile> pEmf = VxReadImport(ar);
    if (!pEmf || pEmf->IsEmpty()) {
        m_messages.Error(TkFormatMessage(IDS_FILE_NOT_READ, {}));
        return kNotRead;
    }
    const BOOL bComplete = pEmf->Enumerate([this](const TkEmfRecord& record) {
        m_out << record.index << ' ' << CVxIgnoredMetafileRecords::GetRecordName(record.type)
              << ' ' << record.bytes.size() << '\n';
        return true;
    });
    if (!bComplete) {
        m_messages.Error(TkFormatMessage(IDS_METAFILE_NOT_READ, {}));
        return kNotRead;
    }
    return kDone;
}

int CVxCliCommands::Convert(const ConvertArgs& args)
{
    m_messages.SetFitSizeForWmf(args.bFitWmf);
    CVxDoc& doc = NewDocument();
    if (!Open(doc, args.strIn))
        return kNotRead;
    const std::string ext = LowerExtension(args.strOut);
    if (ext == ".png" || ext == ".pdf")
        return Render(doc, args, ext == ".pdf");
    const int nErrorsBefore = m_messages.GetErrorCount();
    if (doc.DoSave(&args.strOut, true))
        return kDone;
    if (m_messages.GetErrorCount() == nErrorsBefore)
        m_messages.Error(TkFormatMessage(IDS_FILE_NOT_WRITTEN, {}));
    return kNotWritten;
}

int CVxCliCommands::Render(CVxDoc& doc, const ConvertArgs& args, bool bPdf)
{
    const SIZE size = doc.GetPictureSize();
    const QString strOut = QString::fromStdString(args.strOut);
    if (bPdf) {
        if (CVxPictureRenderer::RenderToPdf(doc.GetPicture(), size, strOut, doc.GetUnitsPerCm()))
            return kDone;
        m_messages.Error(TkFormatMessage(IDS_FILE_NOT_WRITTEN, {}));
        return kNotWritten;
    }
    const double fUnitsPerInch = doc.GetUnitsPerInch().x;
    const int nWidth = args.nWidth > 0 ? args.nWidth
                                       : std::max(1, int(std::lround(size.cx * 96.0 /
                                                                     fUnitsPerInch)));
    if (CVxPictureRenderer::GetPixelHeight(size, nWidth) == 0) {
        m_messages.Error("an image " + std::to_string(nWidth) +
                         " pixels wide would be too large; choose a smaller --width");
        return kNotWritten;
    }
    const QImage image = CVxPictureRenderer::RenderToImage(doc.GetPicture(), size, nWidth);
    // A file that was there is replaced only when the whole image was written.
    QSaveFile file(strOut);
    if (image.isNull() || !file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") ||
        !file.commit()) {
        m_messages.Error(TkFormatMessage(IDS_FILE_NOT_WRITTEN, {}));
        return kNotWritten;
    }
    return kDone;
}
