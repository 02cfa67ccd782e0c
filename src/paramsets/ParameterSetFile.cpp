#include "ParameterSetFile.h"

#include "ParameterSetLoadHost.h"
#include "ScanInt.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"
#include "config/XmlFile.h"
#include "platform/ReplaceFile.h"

#include <tinyxml.h>

namespace {

void ReadAttribute(const TiXmlElement& element, const char* name, std::int32_t& field) {
    if (const char* text = element.Attribute(name)) {
        ScanInt(text, field);
    }
}

} // namespace

std::string FormatParameterSet(const CConfiguration& configuration) {
    TiXmlElement root("REGISTER");
    for (int i = 0; i < configuration.GetParameterCount(); ++i) {
        const CParameter* parameter = configuration.GetParameter(i);
        if (!parameter->IsReadOnSave()) {
            continue;
        }
        TiXmlElement value("VALUE");
        value.SetAttribute("Register", parameter->GetId());
        value.SetAttribute("Value", parameter->GetValue());
        root.InsertEndChild(value);
    }
    TiXmlDocument document;
    document.InsertEndChild(root);
    // The printer lays the document out as SaveFile does with these settings.
    TiXmlPrinter printer;
    printer.SetIndent("    ");
    printer.SetLineBreak("\n");
    document.Accept(&printer);
    return printer.Str();
}

bool SaveParameterSet(const CConfiguration& configuration, const std::string& path) {
    return ReplaceFileContent(path, FormatParameterSet(configuration));
}

EParameterSetRead ReadParameterSet(const std::string& path,
                                   std::vector<SParameterSetEntry>& entries) {
    entries.clear();
    TiXmlDocument document;
    ETextEncoding encoding = ETextEncoding::Cp1252;
    if (!LoadXmlFile(path, document, encoding)) {
        return EParameterSetRead::Unreadable;
    }
    // The first document-level node named REGISTER, and only if it is an element.
    const TiXmlElement* root = TiXmlHandle(&document).FirstChild("REGISTER").Element();
    if (root == nullptr) {
        return EParameterSetRead::NoRegister;
    }
    for (const TiXmlElement* element = root->FirstChildElement(); element != nullptr;
         element = element->NextSiblingElement()) {
        SParameterSetEntry entry;
        ReadAttribute(*element, "Register", entry.m_register);
        ReadAttribute(*element, "Value", entry.m_value);
        entries.push_back(entry);
    }
    return EParameterSetRead::Ok;
}

ELoadRule LoadRule(const CConfiguration& configuration, std::int32_t registerNumber,
                   const CParameter** parameter) {
    const CParameter* found = configuration.FindParameter(registerNumber);
    if (parameter != nullptr) {
        *parameter = found;
    }
    if (found == nullptr) {
        return ELoadRule::UnknownRegister;
    }
    return found->IsSetOnLoad() ? ELoadRule::Loads : ELoadRule::NotSetOnLoad;
}

int ApplyParameterSet(CConfiguration& configuration, const std::vector<SParameterSetEntry>& entries,
                      IParameterSetLoadHost& host) {
    int count = 0;
    for (const SParameterSetEntry& entry : entries) {
        if (LoadRule(configuration, entry.m_register) == ELoadRule::Loads) {
            CRegisterValue value(SOURCE_PARAMETER_SET, entry.m_register,
                                 static_cast<double>(entry.m_value));
            configuration.Update(value);
            host.OnValueApplied(value, ++count);
        }
        host.OnElementDone();
    }
    return count;
}

std::string LoadingTitle(int count) {
    return "loading p:<" + std::to_string(count) + ">";
}
