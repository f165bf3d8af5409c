#include "platform/qt/qt_registry.h"

#include <algorithm>
#include <span>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include "platform/resources.h"

namespace glyphsmith {

namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A class name becomes a file name: refuse anything that could leave the folder.
bool usableClassName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string_view::npos
        && name.front() != '.';
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return QString::compare(qs(a), qs(b), Qt::CaseInsensitive) == 0;
}

QString xmlEscaped(const std::string& text)
{
    return qs(text).toHtmlEscaped();
}

// Writes the whole file through a temporary file, so a failed write leaves
// the old one in place.
bool writeFile(const QString& path, const QByteArray& contents)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(contents);
    return file.commit();
}

// Sets `key`=`value` in `section` of an ini-style file's lines, adding the
// section or the key where missing and leaving every other line alone.
void setIniValue(QStringList& lines, const QString& section, const QString& key, const QString& value)
{
    QString header = '[' + section + ']';
    qsizetype at = lines.indexOf(header);
    if (at < 0) {
        if (!lines.isEmpty() && !lines.last().isEmpty())
            lines << QString();
        lines << header << key + '=' + value;
        return;
    }
    qsizetype index = at + 1;
    for (; index < lines.size() && !lines[index].startsWith('['); ++index) {
        if (lines[index].section('=', 0, 0).trimmed() == key) {
            lines[index] = key + '=' + value;
            return;
        }
    }
    // After the section's last non-blank line.
    while (index > at + 1 && lines[index - 1].trimmed().isEmpty())
        --index;
    lines.insert(index, key + '=' + value);
}

// Removes `desktopId` from the association of `key` in `section`, and the
// line itself when nothing else is left in it.
void removeIniAssociation(QStringList& lines, const QString& section, const QString& key, const QString& desktopId)
{
    qsizetype index = lines.indexOf('[' + section + ']');
    if (index < 0)
        return;
    for (++index; index < lines.size() && !lines[index].startsWith('['); ++index) {
        if (lines[index].section('=', 0, 0).trimmed() != key)
            continue;
        QStringList ids = lines[index].section('=', 1).split(';', Qt::SkipEmptyParts);
        const bool listed = lines[index].section('=', 1).endsWith(';');
        if (ids.removeAll(desktopId) == 0)
            return;
        if (ids.isEmpty())
            lines.removeAt(index);
        else
            lines[index] = key + '=' + ids.join(';') + (listed ? ";" : "");
        return;
    }
}

// A type the installed MIME package declares for one font format.
struct PackagedType {
    QString type;
    QStringList globs;
    QString definition; // its <mime-type> element, as the package writes it
};

const std::vector<PackagedType>& packagedTypes()
{
    static const std::vector<PackagedType> types = [] {
        std::vector<PackagedType> found;
        const std::span<const std::uint8_t> bytes = embeddedResource(MimePackageResource);
        const QString text = QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()),
            static_cast<qsizetype>(bytes.size()));
        static const QRegularExpression element(QStringLiteral("  <mime-type type=\"([^\"]+)\">.*?</mime-type>\n"),
            QRegularExpression::DotMatchesEverythingOption);
        static const QRegularExpression glob(QStringLiteral("<glob pattern=\"([^\"]+)\"/>"));
        for (const QRegularExpressionMatch& match : element.globalMatch(text)) {
            PackagedType type { match.captured(1), {}, match.captured(0) };
            for (const QRegularExpressionMatch& pattern : glob.globalMatch(type.definition))
                type.globs << pattern.captured(1);
            found.push_back(std::move(type));
        }
        return found;
    }();
    return types;
}

// The installed package's type for files ending in `extension`, if it has one.
const PackagedType* packagedTypeFor(const std::string& extension)
{
    const QString pattern = '*' + qs(extension);
    for (const PackagedType& type : packagedTypes())
        if (type.globs.contains(pattern, Qt::CaseInsensitive))
            return &type;
    return nullptr;
}

QString quotedForExec(const QString& program)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = std::any_of(program.begin(), program.end(), [](QChar c) { return reserved.contains(c); });
    QString argument = program;
    if (needsQuotes) {
        QString quoted;
        for (QChar c : program) {
            if (c == '"' || c == '`' || c == '$' || c == '\\')
                quoted += '\\';
            quoted += c;
        }
        argument = '"' + quoted + '"';
    }
    // The desktop file's own string escapes come on top of the quoting.
    argument.replace('\\', QStringLiteral("\\\\"));
    argument.replace('%', QStringLiteral("%%"));
    return argument;
}

} // namespace

FreedesktopFolders FreedesktopFolders::fromEnvironment()
{
    auto folder = [](const char* variable, const char* fallback) {
        QString value = qEnvironmentVariable(variable);
        // Relative XDG folders are ignored, as the freedesktop rules say.
        if (value.isEmpty() || QDir::isRelativePath(value))
            value = QDir::homePath() + '/' + fallback;
        return value.toStdString();
    };
    return { folder("XDG_DATA_HOME", ".local/share"), folder("XDG_CONFIG_HOME", ".config") };
}

FreedesktopRegistry::FreedesktopRegistry(std::string executablePath, bool refreshCaches)
    : executablePath_(std::move(executablePath))
    , refreshCaches_(refreshCaches)
{
}

std::optional<RegistryKey> FreedesktopRegistry::createClassKey(std::string_view name)
{
    bool extension = name.size() > 1 && name.front() == '.' && name != ".."
        && name.find_first_of("/\\") == std::string_view::npos;
    if (!extension && !usableClassName(name))
        return std::nullopt;
    int handle = nextHandle_++;
    openKeys_[handle] = std::string(name);
    return RegistryKey { handle };
}

void FreedesktopRegistry::setDefaultValue(RegistryKey key, std::string_view subkeyPath, std::string_view value)
{
    auto open = openKeys_.find(key.handle);
    if (open == openKeys_.end())
        return;
    const std::string& name = open->second;
    if (name.front() == '.') {
        if (!subkeyPath.empty())
            return;
        std::string previous = extensionClass_[name];
        extensionClass_[name] = value;
        // The class that lost the extension drops its glob.
        if (!previous.empty() && previous != value)
            writeClassFiles(previous);
        writeClassFiles(std::string(value));
    } else if (subkeyPath.empty()) {
        descriptions_[name] = value;
        writeClassFiles(name);
    } else if (equalsIgnoringCase(subkeyPath, "shell\\open\\command")) {
        openCommands_[name] = value;
        writeClassFiles(name);
    }
    // Other subkeys have no freedesktop counterpart.
}

void FreedesktopRegistry::closeKey(RegistryKey key)
{
    if (openKeys_.erase(key.handle) == 0)
        return;
    if (changedSinceRefresh_ && refreshCaches_)
        refreshCaches(FreedesktopFolders::fromEnvironment());
    changedSinceRefresh_ = false;
}

std::string FreedesktopRegistry::mimeTypeFor(std::string_view className)
{
    std::string type = "application/x-";
    for (char c : className) {
        char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        bool kept = (lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9') || lower == '+' || lower == '-'
            || lower == '.';
        type += kept ? lower : '-';
    }
    return type;
}

std::string FreedesktopRegistry::execLine(std::string_view openCommand, std::string_view executablePath)
{
    // The command is "<folder>\<name>.exe %1", built for Windows from the
    // working directory. Where that names a program here (backslashes read
    // as folder separators, ".exe" dropped) it is used; otherwise the running
    // program stands in.
    QString program = qs(openCommand).trimmed();
    if (program.endsWith(QStringLiteral("%1")))
        program.chop(2);
    program = program.trimmed().replace('\\', '/');
    if (program.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
        program.chop(4);
    QFileInfo candidate(program);
    if (program.isEmpty() || !candidate.isFile() || !candidate.isExecutable())
        program = qs(executablePath);
    return (quotedForExec(program) + QStringLiteral(" %f")).toStdString();
}

void FreedesktopRegistry::writeClassFiles(const std::string& className)
{
    if (!usableClassName(className))
        return;
    FreedesktopFolders folders = FreedesktopFolders::fromEnvironment();
    QString dataHome = qs(folders.dataHome);
    QString mimeType = qs(mimeTypeFor(className));
    QString desktopId = qs(className) + ".desktop";
    QString description = qs(descriptions_.count(className) ? descriptions_[className] : className);
    changedSinceRefresh_ = true;

    // The installed package's own types first, then the class's shared type
    // for the extensions that have none.
    QStringList types;
    QString definitions;
    QStringList globs;
    for (const auto& [extension, owner] : extensionClass_) {
        if (owner != className)
            continue;
        if (const PackagedType* packaged = packagedTypeFor(extension)) {
            if (!types.contains(packaged->type)) {
                types << packaged->type;
                definitions += packaged->definition;
            }
        } else {
            globs << "    <glob pattern=\"*" + xmlEscaped(extension) + "\"/>\n";
        }
    }
    if (!globs.isEmpty()) {
        types << mimeType;
        definitions += "  <mime-type type=\"" + mimeType + "\">\n    <comment>" + description.toHtmlEscaped()
            + "</comment>\n" + globs.join(QString()) + "  </mime-type>\n";
    }
    QString packagePath = dataHome + "/mime/packages/" + qs(className) + ".xml";
    if (types.isEmpty()) {
        QFile::remove(packagePath);
    } else {
        QString package = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
            + definitions + "</mime-info>\n";
        writeFile(packagePath, package.toUtf8());
    }

    auto command = openCommands_.find(className);
    if (command == openCommands_.end())
        return;
    QString flatDescription = description;
    flatDescription.replace('\n', ' ');
    QString entry = "[Desktop Entry]\nType=Application\nName=" + qs(className) + "\nComment=" + flatDescription
        + "\nExec=" + qs(execLine(command->second, executablePath_)) + "\nMimeType=" + types.join(';')
        + (types.isEmpty() ? "" : ";") + "\nTerminal=false\nNoDisplay=true\n";
    writeFile(dataHome + "/applications/" + desktopId, entry.toUtf8());

    QString listPath = qs(folders.configHome) + "/mimeapps.list";
    QStringList lines;
    QFile existing(listPath);
    if (existing.open(QIODevice::ReadOnly))
        lines = QString::fromUtf8(existing.readAll()).split('\n');
    existing.close();
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (!types.contains(mimeType)) {
        removeIniAssociation(lines, "Default Applications", mimeType, desktopId);
        removeIniAssociation(lines, "Added Associations", mimeType, desktopId);
    }
    for (const QString& type : types) {
        setIniValue(lines, "Default Applications", type, desktopId);
        setIniValue(lines, "Added Associations", type, desktopId + ';');
    }
    writeFile(listPath, (lines.join('\n') + '\n').toUtf8());
}

void FreedesktopRegistry::refreshCaches(const FreedesktopFolders& folders) const
{
    auto run = [](const QString& tool, const QString& folder) {
        QString program = QStandardPaths::findExecutable(tool);
        if (program.isEmpty() || !QFileInfo::exists(folder))
            return;
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(program, { folder });
        if (!process.waitForFinished(10000))
            process.kill();
        process.waitForFinished(1000);
    };
    run("update-mime-database", qs(folders.dataHome) + "/mime");
    run("update-desktop-database", qs(folders.dataHome) + "/applications");
}

} // namespace glyphsmith
