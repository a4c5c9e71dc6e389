#include "platform/HttpClient.h"

THttpResult THttpClient::Post(const std::string&, const std::string&) { return {}; }
THttpResult THttpClient::Put(const std::string&, const std::string&) { return {}; }
THttpResult THttpClient::Get(const std::string&) { return {}; }
