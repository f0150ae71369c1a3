// The ids the class layer itself gives meaning to, as the framework it follows
// numbers them. The resource script takes them from here, so that the
// application's resources and the layer agree without the layer knowing them.
#pragma once

#define AFX_IDS_APP_TITLE 0xE000 // application title (57344)
#ifndef ID_HELP
#define ID_HELP 0xE146 // standard Help command (57670)
#endif
