#include <xsi_application.h>
#include <xsi_command.h>
#include <xsi_context.h>
#include <xsi_decl.h>
#include <xsi_menu.h>
#include <xsi_menuitem.h>
#include <xsi_string.h>

#include "kelvane.h"
using namespace XSI;

CStatus XSILoadPlugin(PluginRegistrar& registrar) {
  registrar.PutAuthor(L"tuv");
  registrar.PutName(L"kelvanePlugin");
  registrar.PutEmail(L"");
  registrar.PutURL(L"");
  registrar.PutVersion(KELVANE_VERSION_MAJOR, KELVANE_VERSION_MINOR);
  registrar.RegisterCommand(L"kelvane", L"kelvane");
  // The host's number for the menu place the command lives in.
  constexpr LONG menuAnchor = 26;
  registrar.RegisterMenu(static_cast<siMenuAnchorPoints>(menuAnchor), L"kelvane_Menu", false,
                         false);
  return CStatus::OK;
}

CStatus XSIUnloadPlugin(const PluginRegistrar& registrar) {
  const CString name = registrar.GetName();
  Application().LogMessage(name + L" has been unloaded.", siInfoMsg);
  return CStatus::OK;
}

CStatus kelvane_Init(CRef& context) {
  Context ctxt(context);
  Command command(ctxt.GetSource());
  command.PutDescription(L"");
  command.EnableReturnValue(true);
  return CStatus::OK;
}

CStatus kelvane_Menu_Init(CRef& context) {
  Context ctxt(context);
  Menu menu(ctxt.GetSource());
  MenuItem item;
  menu.AddCommandItem(L"kelvane", L"kelvane", item);
  return CStatus::OK;
}
