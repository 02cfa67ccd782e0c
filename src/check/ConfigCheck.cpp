#include "ConfigCheck.h"

#include "ConfigChecker.h"
#include "SourceText.h"
#include "config/Configuration.h"
#include "config/XmlFile.h"

#include <tinyxml.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ostream>
#include <sys/stat.h>

namespace {

std::string DirectoryWithSlash(const std::string& directory) {
    return directory.empty() || directory.back() == '/' ? directory : directory + '/';
}

bool ReadWholeFile(const std::string& path, std::string& text, std::string& error) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        error = "not a file";
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    text.resize(static_cast<std::size_t>(status.st_size));
    const std::size_t read = std::fread(text.data(), 1, text.size(), file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        error = "read error";
        return false;
    }
    text.resize(read);
    return true;
}

// Why a file that could be read does not load.
SDiagnostic ExplainLoadFailure(const std::string& path, const std::string& text) {
    if (text.empty()) {
        return {{}, ESeverity::Error, "the file is empty"};
    }
    const bool utf8 = IsValidUtf8(text);
    const std::size_t tooDeep = FindNestingExcess(text, MAX_XML_DEPTH);
    if (tooDeep != std::string::npos) {
        const CSourceText source(text, utf8, 4);
        return {source.PositionOfOffset(tooDeep), ESeverity::Error,
                "elements nest deeper than " + std::to_string(MAX_XML_DEPTH) + " levels"};
    }
    TiXmlDocument document;
    ETextEncoding encoding = ETextEncoding::Cp1252;
    if (!LoadXmlFile(path, document, encoding) && document.Error()) {
        // TinyXML counted columns in UTF-8 only when the text declared itself so.
        const bool tinyXmlUtf8 = utf8 && DeclaredEncoding(text, document) == ETextEncoding::Utf8;
        const CSourceText source(text, tinyXmlUtf8, document.TabSize());
        return {source.PositionOfLocation(document.ErrorRow(), document.ErrorCol()),
                ESeverity::Error, std::string("not well-formed XML: ") + document.ErrorDesc()};
    }
    return {{}, ESeverity::Error, "the file cannot be parsed"};
}

} // namespace

SCheckResult CheckConfiguration(const std::string& programDirectory) {
    const std::string directory = DirectoryWithSlash(programDirectory);
    const std::string path = directory + "config.xml";
    SCheckResult result;
    std::string text;
    if (!ReadWholeFile(path, text, result.m_readError)) {
        return result;
    }
    result.m_readable = true;
    const std::unique_ptr<CConfiguration> configuration = CConfiguration::LoadFile(path);
    if (configuration == nullptr) {
        result.m_diagnostics.push_back(ExplainLoadFailure(path, text));
        return result;
    }
    const CSourceText source(std::move(text),
                             configuration->GetTextEncoding() == ETextEncoding::Utf8,
                             configuration->GetDocument().TabSize());
    result.m_diagnostics = CConfigChecker(*configuration, source, directory).Run();
    return result;
}

std::string FormatDiagnostic(const std::string& file, const SDiagnostic& diagnostic,
                             bool warningsAsErrors) {
    const bool error = diagnostic.m_severity == ESeverity::Error || warningsAsErrors;
    return file + ':' + std::to_string(diagnostic.m_position.m_line) + ':' +
           std::to_string(diagnostic.m_position.m_column) + (error ? ": error: " : ": warning: ") +
           diagnostic.m_text;
}

int RunConfigCheck(const std::string& programDirectory, bool warningsAsErrors, std::ostream& out) {
    const std::string file = DirectoryWithSlash(programDirectory) + "config.xml";
    const SCheckResult result = CheckConfiguration(programDirectory);
    if (!result.m_readable) {
        out << file << ": error: cannot be read: " << result.m_readError << '\n';
        out << file << ": 1 error, 0 warnings\n";
        return 2;
    }
    std::size_t errors = 0;
    for (const SDiagnostic& diagnostic : result.m_diagnostics) {
        out << FormatDiagnostic(file, diagnostic, warningsAsErrors) << '\n';
        errors += diagnostic.m_severity == ESeverity::Error || warningsAsErrors ? 1 : 0;
    }
    const std::size_t warnings = result.m_diagnostics.size() - errors;
    out << file << ": " << errors << (errors == 1 ? " error, " : " errors, ") << warnings
        << (warnings == 1 ? " warning\n" : " warnings\n");
    return errors > 0 ? 1 : 0;
}
