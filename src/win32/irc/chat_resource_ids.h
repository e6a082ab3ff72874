#pragma once

// Shared by the resource script and the code.
#define CHAT_ICON_ID 1
#define CHAT_CONNECT_DIALOG_ID 100
#define CHAT_SERVER_ID 101
#define CHAT_PORT_ID 102
#define CHAT_NICK_ID 103
#define CHAT_CHANNELS_ID 104
#define CHAT_PASSWORD_ID 105
#define CHAT_TLS_ID 106
#define CHAT_ACCOUNT_ID 107
#define CHAT_ACCOUNT_PASSWORD_ID 108
#define CHAT_FORGET_ID 109
