#include "engine/my_Setting.h"

#include <nlohmann/json.hpp>

namespace my
{
namespace
{
juce::String linuxConfigFolder()
{
    // XDG says a relative XDG_CONFIG_HOME is invalid and must be ignored.
    const auto xdg = juce::SystemStats::getEnvironmentVariable ("XDG_CONFIG_HOME", {});
    if (juce::File::isAbsolutePath (xdg))
        return xdg;

    const auto home = juce::SystemStats::getEnvironmentVariable ("HOME", {});
    if (juce::File::isAbsolutePath (home))
        return home + "/.config";

    return {};
}

// The file's JSON object, or an empty object when the file is missing, empty, not valid JSON or
// holds anything but an object or null at its top level.
nlohmann::json readObject (const juce::File& file)
{
    if (! file.existsAsFile())
        return nlohmann::json::object();

    const auto text = file.loadFileAsString().toStdString();
    auto parsed = nlohmann::json::parse (text, nullptr, false);

    if (parsed.is_object() || parsed.is_null())
        return parsed;

    return nlohmann::json::object();
}

// Setting a member of a JSON null turns it into an object with that member.
void assign (nlohmann::json& object, const std::string& key, const juce::var& value)
{
    if (value.isInt())
        object[key] = static_cast<std::int64_t> (static_cast<int> (value));
    else if (value.isDouble())
        object[key] = static_cast<double> (value);
    else if (value.isBool())
        object[key] = static_cast<bool> (value);
    else if (value.isString())
        object[key] = value.toString().toStdString();
}
} // namespace

juce::String Setting::getFilePath() const
{
    const auto os = juce::SystemStats::getOperatingSystemType();
    const auto home = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getFullPathName();

    if ((os & juce::SystemStats::MacOSX) != 0)
        return home + "/Library/Application Support/" + makerFolder + "/" + productFolder + "/settings.txt";

    if ((os & juce::SystemStats::Windows) != 0)
        return home + "\\AppData\\Local\\" + makerFolder + "\\" + productFolder + "\\settings.txt";

    const auto config = linuxConfigFolder();
    if (config.isEmpty())
        return {};

    return config + "/" + makerFolder + "/" + productFolder + "/settings.txt";
}

void Setting::setProperty (juce::String name, juce::var value) const
{
    const auto path = getFilePath();
    if (path.isEmpty())
        return;

    const juce::File file (path);
    if (file.isDirectory())
        return;

    auto object = readObject (file);
    assign (object, name.toStdString(), value);

    const auto text = object.dump (-1, ' ', false, nlohmann::json::error_handler_t::replace);
    file.getParentDirectory().createDirectory();
    file.replaceWithText (juce::String::fromUTF8 (text.c_str()), false, false, nullptr);
}

void Setting::createFileIfMissing() const
{
    const auto path = getFilePath();
    if (path.isEmpty())
        return;

    const juce::File file (path);
    if (file.exists())
        return;

    file.create();
    file.replaceWithText ("{}", false, false, nullptr);
    setProperty ("uiScale", 1.0);
}
} // namespace my
