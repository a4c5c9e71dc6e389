// The pure half of the configuration transfer: where the document lives on
// the controller and on disk, and how the controller's verdict on a write is
// turned into the text shown to the engineer.
#pragma once

#include <cstddef>
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
// Longest reply shown as it came. A longer one (a web page at a wrong address,
// a runaway server) is cut here, since the message window lays out its whole
// text and a reply of megabytes would freeze it for minutes.
inline constexpr std::size_t kVerdictShownMax = 4096;
// The text to show for a write's reply: the success message for the acceptance
// text, otherwise the reply itself, unchanged up to kVerdictShownMax bytes and
// cut there with " ..." after it.
std::string WriteVerdictText(std::string_view reply);
