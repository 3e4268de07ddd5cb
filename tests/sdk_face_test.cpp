// The SDK face's value types and views, as a plug-in uses them, on the stand-in host.
#include <gtest/gtest.h>
#include <xsi_application.h>
#include <xsi_command.h>
#include <xsi_context.h>
#include <xsi_customproperty.h>
#include <xsi_menu.h>
#include <xsi_pluginregistrar.h>
#include <xsi_ppglayout.h>
#include <xsi_x3dobject.h>
#include <xsihost/host.h>
#include <xsihost/text.h>

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace XSI;

// `count` objects under the scene root of a fresh scene, in order.
std::vector<CRef> Objects(int count) {
  xsihost::Reset();
  std::vector<CRef> refs;
  for (int i = 0; i < count; ++i) {
    refs.push_back(xsihost::AddObject(xsihost::SceneRoot(), L"bone",
                                      xsihost::Str("b" + std::to_string(i)), std::nullopt));
  }
  return refs;
}

// Every size around the array's bounds: the first block holds 4, blocks double, and a block of
// more than 31 references comes from the heap instead of the pool.
TEST(CRefArray, KeepsEveryReferenceInOrderAcrossItsGrowth) {
  for (const int count : {0, 1, 4, 5, 8, 9, 16, 17, 31, 32, 33, 100}) {
    SCOPED_TRACE(count);
    const std::vector<CRef> refs = Objects(count);
    CRefArray array;
    for (const CRef& ref : refs)
      array.Add(ref);
    ASSERT_EQ(array.GetCount(), count);
    CRefArray copy(array);
    CRefArray assigned;
    assigned.Add(xsihost::SceneRoot());
    assigned = array;
    for (int i = 0; i < count; ++i) {
      EXPECT_TRUE(array[i] == refs[static_cast<size_t>(i)]) << i;
      EXPECT_TRUE(copy[i] == refs[static_cast<size_t>(i)]) << i;
      EXPECT_TRUE(assigned[i] == refs[static_cast<size_t>(i)]) << i;
    }
    // Outside the array: an empty reference, from the const and the non-const form, and one
    // that may be written without effect.
    const CRefArray& constant = array;
    EXPECT_FALSE(constant[count].IsValid());
    EXPECT_FALSE(constant[-1].IsValid());
    array[count] = xsihost::SceneRoot();
    EXPECT_FALSE(array[count].IsValid());
    EXPECT_EQ(array.GetCount(), count);
    // A move leaves the source empty.
    CRefArray moved(std::move(copy));
    EXPECT_EQ(moved.GetCount(), count);
    EXPECT_EQ(copy.GetCount(), 0);  // NOLINT(bugprone-use-after-move): moved-from is empty
    assigned = std::move(moved);
    EXPECT_EQ(assigned.GetCount(), count);
  }
}

// Outside the array is empty also where its block has room left that another array used before.
TEST(CRefArray, OutsideIsEmptyWhereItsBlockHasRoomLeft) {
  const std::vector<CRef> refs = Objects(8);
  {
    CRefArray used;  // its block of eight goes back with the references in it
    for (const CRef& ref : refs)
      used.Add(ref);
  }
  CRefArray array;
  for (int i = 0; i < 5; ++i)
    array.Add(refs[static_cast<size_t>(i)]);  // grows into a block of eight
  const CRefArray& constant = array;
  for (LONG i = 5; i < 8; ++i) {
    EXPECT_FALSE(constant[i].IsValid()) << i;
    EXPECT_FALSE(array[i].IsValid()) << i;
  }
}

TEST(CRefArray, AssignedToItselfKeepsItsReferences) {
  const std::vector<CRef> refs = Objects(5);
  CRefArray array;
  for (const CRef& ref : refs)
    array.Add(ref);
  CRefArray& same = array;
  array = same;
  array = std::move(same);
  ASSERT_EQ(array.GetCount(), 5);
  EXPECT_TRUE(array[4] == refs[4]);
}

TEST(CRef, ComparesByTheObject) {
  const std::vector<CRef> refs = Objects(2);
  EXPECT_TRUE(refs[0] == refs[0]);
  EXPECT_TRUE(refs[0] != refs[1]);
  EXPECT_FALSE(refs[0] != refs[0]);
  EXPECT_TRUE(CRef() == CRef());
  EXPECT_FALSE(CRef().IsValid());
}

// Each kind of value: its type, truth, reference and equality with every other.
TEST(CValue, EachKindAnswersForItself) {
  const std::vector<CRef> refs = Objects(1);
  xsihost::Destroy(xsihost::AddObject(xsihost::SceneRoot(), L"bone", L"gone", std::nullopt));
  struct Kind {
    const char* what;
    CValue value;
    CValue::DataType type;
    bool truth;
  };
  const Kind kinds[] = {
      {"empty", CValue(), CValue::siEmpty, false},
      {"true", CValue(true), CValue::siBool, true},
      {"false", CValue(false), CValue::siBool, false},
      {"4", CValue(LONG(4)), CValue::siInt4, true},
      {"0", CValue(LONG(0)), CValue::siInt4, false},
      {"\"L_\"", CValue(L"L_"), CValue::siString, true},
      {"\"\"", CValue(CString()), CValue::siString, false},
      {"an object", CValue(refs[0]), CValue::siRef, true},
      {"no object", CValue(CRef()), CValue::siRef, false},
  };
  for (const Kind& a : kinds) {
    SCOPED_TRACE(a.what);
    EXPECT_EQ(a.value.GetType(), a.type);
    EXPECT_EQ(a.value.IsEmpty(), a.type == CValue::siEmpty);
    EXPECT_EQ(static_cast<bool>(a.value), a.truth);
    EXPECT_EQ(static_cast<CRef>(a.value) == refs[0], std::string(a.what) == "an object");
    const CValue copy(a.value);  // NOLINT(performance-unnecessary-copy-initialization)
    EXPECT_TRUE(copy == a.value);
    for (const Kind& b : kinds)
      EXPECT_EQ(a.value == b.value, &a == &b) << "against " << b.what;
    EXPECT_EQ(a.value != CValue(LONG(4)), std::string(a.what) != "4");
  }
}

TEST(CValue, AssignmentTakesTheNewKind) {
  const std::vector<CRef> refs = Objects(1);
  CValue value;
  value = true;
  EXPECT_TRUE(value == CValue(true));
  value = LONG(6);
  EXPECT_TRUE(value == CValue(LONG(6)));
  value = L"Left";
  EXPECT_TRUE(value == CValue(L"Left"));
  value = refs[0];
  EXPECT_TRUE(value == CValue(refs[0]));
  CValue& same = value;
  value = same;
  EXPECT_TRUE(value == CValue(refs[0]));
  value = std::move(same);
  EXPECT_TRUE(value == CValue(refs[0]));
  CValue moved(std::move(value));
  EXPECT_TRUE(moved == CValue(refs[0]));
  EXPECT_TRUE(value.IsEmpty());  // NOLINT(bugprone-use-after-move): moved-from is empty
}

TEST(CValueArray, HoldsItsCountOfValues) {
  for (const LONG count : {-1, 0, 1, 4, 5}) {
    SCOPED_TRACE(count);
    CValueArray array(count);
    const LONG made = count > 0 ? count : 0;
    ASSERT_EQ(array.GetCount(), made);
    for (LONG i = 0; i < made; ++i)
      EXPECT_TRUE(array[i].IsEmpty());
    array.Add(LONG(7));
    EXPECT_EQ(array.GetCount(), made + 1);
    EXPECT_TRUE(array[made] == CValue(LONG(7)));
    // Outside: an empty value, which may be written without effect.
    array[made + 1] = true;
    EXPECT_TRUE(array[made + 1].IsEmpty());
    const CValueArray& constant = array;
    EXPECT_TRUE(constant[-1].IsEmpty());
    CValueArray copy(array);
    CValueArray assigned(3);
    assigned = array;
    CValueArray& same = assigned;
    assigned = same;
    EXPECT_EQ(copy.GetCount(), made + 1);
    EXPECT_EQ(assigned.GetCount(), made + 1);
    EXPECT_TRUE(assigned[made] == CValue(LONG(7)));
  }
}

TEST(CStatus, SucceedsForOkAndFalseOnly) {
  const std::pair<CStatus::Code, bool> codes[] = {{CStatus::OK, true},
                                                  {CStatus::False, true},
                                                  {CStatus::Fail, false},
                                                  {CStatus::InvalidArgument, false},
                                                  {CStatus::AccessDenied, false}};
  for (const auto& [code, succeeded] : codes) {
    const CStatus status(code);
    EXPECT_EQ(status.GetCode(), code);
    EXPECT_EQ(status.Succeeded(), succeeded) << code;
    EXPECT_TRUE(status == code);
    EXPECT_FALSE(status != code);
  }
}

// A view of no object is still a view: its changes fail, its queries are empty.
TEST(Views, OfNoObjectChangeNothing) {
  xsihost::Reset();
  Context context;
  EXPECT_FALSE(context.GetSource().IsValid());
  EXPECT_EQ(context.PutAttribute(L"ReturnValue", true), CStatus::Fail);
  EXPECT_TRUE(context.GetAttribute(L"ReturnValue").IsEmpty());
  Command command;
  EXPECT_EQ(command.PutDescription(L""), CStatus::Fail);
  EXPECT_EQ(command.EnableReturnValue(true), CStatus::Fail);
  Menu menu;
  MenuItem item;
  EXPECT_EQ(menu.AddCommandItem(L"kelvane", L"kelvane", item), CStatus::Fail);
  PluginRegistrar registrar;
  EXPECT_EQ(registrar.PutAuthor(L"tuv"), CStatus::Fail);
  EXPECT_EQ(registrar.PutVersion(1, 0), CStatus::Fail);
  EXPECT_FALSE(registrar.RegisterCommand(L"kelvane", L"kelvane").IsValid());
  X3DObject object;
  EXPECT_EQ(object.GetChildren().GetCount(), 0);
  EXPECT_FALSE(object.GetPPGLayout().IsValid());
  EXPECT_TRUE(object.GetParameterValue(L"EnumCtrl").IsEmpty());
  EXPECT_FALSE(PPGItem().IsValid());
}

// Every operation the stand-in counts, tied to its SDK name: the call below is the one a fault
// on that name hits. A name missing from the fault targets, or counted under another name, fails.
TEST(Faults, EveryCountedOperationIsKnownByItsSdkName) {
  using Call = std::function<void()>;
  CRef registrar;
  CRef context;
  CRef object;
  CustomProperty property;
  const std::pair<const char*, Call> operations[] = {
      {"Application::ExecuteCommand",
       [] {
         CValue result;
         Application().ExecuteCommand(L"NoSuchCommand", CValueArray(), result);
       }},
      {"Application::GetActiveSceneRoot", [] { Application().GetActiveSceneRoot(); }},
      {"Application::GetSelection", [] { Application().GetSelection(); }},
      {"Application::LogMessage", [] { Application().LogMessage(L"x"); }},
      {"CRef::IsValid", [&] { object.IsValid(); }},
      {"Command::EnableReturnValue", [] { Command().EnableReturnValue(true); }},
      {"Command::PutDescription", [] { Command().PutDescription(L""); }},
      {"Context::GetAttribute", [&] { Context(context).GetAttribute(L"x"); }},
      {"Context::GetSource", [&] { Context(context).GetSource(); }},
      {"Context::PutAttribute", [&] { Context(context).PutAttribute(L"x", true); }},
      {"CustomProperty::AddParameter",
       [&] {
         Parameter parameter;
         property.AddParameter(L"p", CValue::siInt4, 4, L"", L"", LONG(4), LONG(4), LONG(6),
                               LONG(4), LONG(6), parameter);
       }},
      {"Menu::AddCommandItem",
       [] {
         MenuItem item;
         Menu().AddCommandItem(L"a", L"b", item);
       }},
      {"PPGLayout::AddEnumControl",
       [&] { property.GetPPGLayout().AddEnumControl(L"p", CValueArray(), L"x"); }},
      {"PluginRegistrar::PutAuthor", [&] { PluginRegistrar(registrar).PutAuthor(L"tuv"); }},
      {"PluginRegistrar::PutEmail", [&] { PluginRegistrar(registrar).PutEmail(L""); }},
      {"PluginRegistrar::PutURL", [&] { PluginRegistrar(registrar).PutURL(L""); }},
      {"PluginRegistrar::PutVersion", [&] { PluginRegistrar(registrar).PutVersion(1, 0); }},
      {"PluginRegistrar::RegisterCommand",
       [&] { PluginRegistrar(registrar).RegisterCommand(L"k", L"k"); }},
      {"PluginRegistrar::RegisterMenu",
       [&] {
         PluginRegistrar(registrar).RegisterMenu(static_cast<siMenuAnchorPoints>(26), L"m", false,
                                                 false);
       }},
      {"ProjectItem::GetPPGLayout", [&] { property.GetPPGLayout(); }},
      {"ProjectItem::GetParameterValue", [&] { property.GetParameterValue(L"p"); }},
      {"SIObject::GetFullName", [&] { SIObject(object).GetFullName(); }},
      {"SIObject::GetName", [&] { SIObject(object).GetName(); }},
      {"SIObject::GetType", [&] { SIObject(object).GetType(); }},
      {"SIObject::IsValid", [&] { SIObject(object).IsValid(); }},
      {"SIObject::PutName", [&] { SIObject(object).PutName(L"y"); }},
      {"SceneItem::AddProperty",
       [&] {
         Property made;
         SceneItem(object).AddProperty(L"CustomProperty", false, L"q", made);
       }},
      {"Selection::GetCount", [] { Application().GetSelection().GetCount(); }},
      {"Selection::operator[]", [] { Application().GetSelection()[0]; }},
      {"X3DObject::GetChildren", [&] { X3DObject(object).GetChildren(); }},
  };
  std::set<std::string> named{"DeleteObj", "DuplicateSymmetry", "InspectObj"};
  for (const auto& [name, call] : operations) {
    SCOPED_TRACE(name);
    xsihost::Reset();
    registrar = xsihost::CreateRegistrar();
    context = xsihost::CreateContext(CRef());
    object = xsihost::AddObject(xsihost::SceneRoot(), L"root", L"x", std::nullopt);
    property = CustomProperty(xsihost::AddCustomProperty(object, L"Rule"));
    // The operation's own call is the first matching one the fault sees.
    const std::string method = std::string(name).substr(std::string(name).rfind("::") + 2);
    for (const std::string& target : {std::string(name), method}) {
      xsihost::ArmFaultOn(target, 1, xsihost::FaultMode::Raise);
      EXPECT_THROW(call(), xsihost::HostFault) << target;
      EXPECT_EQ(xsihost::LastFault().operation, name) << target;
    }
    xsihost::DisarmFault();
    named.insert(name);
    named.insert(method);
  }
  const std::vector<std::string> targets = xsihost::FaultTargets();
  EXPECT_EQ(std::set<std::string>(targets.begin(), targets.end()), named);
}

}  // namespace
