// The pure half of the configuration transfer: where the document lives on
// the controller and on disk, and how the controller's verdict on a write is
// turned into the text shown to the engineer.
#pragma once

#include <string>
#include <string_view>

// The exact reply by which the controller accepts a written document.
inline constexpr std::string_view kConfigurationAccepted = "configuration is correct\r\n";

// "http://" + ip + "/configuration"; ip is taken verbatim, so "host:port" reaches that port.
std::string ConfigurationUrl(std::string_view ip);
// The controller's mqtt.json inside its working folder.
std::string ConfigurationFile(std::string_view folder);
// Whether the reply is byte for byte the acceptance text.
bool IsConfigurationAccepted(std::string_view reply);
// The text to show for a write's reply: the success message for the acceptance
// text, otherwise the reply itself, unchanged.
std::string WriteVerdictText(std::string_view reply);
