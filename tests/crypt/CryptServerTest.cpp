// Cifrel.dll as a COM server: its registration, identity, interfaces, lifetime, the password
// property and the operations reached through the vtable and late-bound by name.
#include <gtest/gtest.h>
#include <initguid.h>
#include <cguid.h>
#include <olectl.h>

#include <string>

#include "Cifrel.h"
#include "FileDiProva.h"
#include "IdentitaCifrel.h"
#include "ServerTest.h"
#include "com/ComPtr.h"

namespace {

using talvo::com::ComPtr;
using talvo::test::KeyExists;
using talvo::test::KeyValue;

const std::wstring Clsid = L"{F783E66E-761E-11D4-8CE2-AF310264C746}";
const std::wstring Libid = L"{F783E661-761E-11D4-8CE2-AF310264C746}";

std::wstring Server() { return talvo::test::WindowsPath(TALVO_SERVER_Cifrel); }

std::wstring ShortForm(const std::wstring& path) {
  wchar_t buffer[MAX_PATH] = {};
  return ::GetShortPathNameW(path.c_str(), buffer, MAX_PATH) ? buffer : path;
}

TEST(CifrelRegistration, WritesItsKeysAndRemovesExactlyThem) {
  const auto table = talvo::com::ServerRegistryKeys(talvo::cifrel::IdentitaCifrel(), Server());
  ASSERT_EQ(talvo::test::Regsvr32(Server()), 0u);
  talvo::test::ExpectTableRegistered(table);
  const HKEY root = HKEY_CLASSES_ROOT;
  const std::wstring classe = L"CLSID\\" + Clsid;
  struct Valore {
    std::wstring chiave, nome, atteso;
  };
  const Valore valori[] = {
      {L"Cifrel.Crypt.1", L"", L"Crypt Class"},
      {L"Cifrel.Crypt.1\\CLSID", L"", Clsid},
      {L"Cifrel.Crypt", L"", L"Crypt Class"},
      {L"Cifrel.Crypt\\CLSID", L"", Clsid},
      {L"Cifrel.Crypt\\CurVer", L"", L"Cifrel.Crypt.1"},
      {classe, L"", L"Crypt Class"},
      {classe + L"\\ProgID", L"", L"Cifrel.Crypt.1"},
      {classe + L"\\VersionIndependentProgID", L"", L"Cifrel.Crypt"},
      {classe + L"\\InprocServer32", L"", ShortForm(Server())},
      {classe + L"\\InprocServer32", L"ThreadingModel", L"Both"},
      {classe + L"\\TypeLib", L"", Libid},
  };
  for (const Valore& v : valori) EXPECT_EQ(KeyValue(root, v.chiave, v.nome), v.atteso) << v.chiave.c_str();
  EXPECT_TRUE(KeyExists(root, classe + L"\\Programmable"));
  EXPECT_TRUE(KeyExists(root, L"TypeLib\\" + Libid + L"\\1.0"));

  ASSERT_EQ(talvo::test::Regsvr32(Server(), true), 0u);
  talvo::test::ExpectTableRemoved(table);
  for (const Valore& v : valori) EXPECT_FALSE(KeyExists(root, v.chiave)) << v.chiave.c_str();
  EXPECT_FALSE(KeyExists(root, L"TypeLib\\" + Libid));
  EXPECT_TRUE(KeyExists(root, L"CLSID"));
}

// The server registered for the tests of one suite, as the application's programs find it.
class CryptTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(talvo::test::Regsvr32(Server()), 0u); }
  static void TearDownTestSuite() { talvo::test::Regsvr32(Server(), true); }

  talvo::test::Apartment apartment;
  talvo::test::CartellaTemporanea cartella;

  static ComPtr<ICrypt> Nuovo() {
    ComPtr<ICrypt> crypt;
    EXPECT_EQ(::CoCreateInstance(CLSID_Crypt, nullptr, CLSCTX_INPROC_SERVER, IID_ICrypt,
                                 reinterpret_cast<void**>(crypt.put())),
              S_OK);
    return crypt;
  }
  static std::wstring Password(ICrypt* crypt) {
    BSTR testo = nullptr;
    EXPECT_EQ(crypt->get_Password(&testo), S_OK);
    talvo::unique_bstr owner(testo);
    return std::wstring(testo, ::SysStringLen(testo));
  }
  static void ImpostaPassword(ICrypt* crypt, const std::wstring& password) {
    talvo::unique_bstr testo(::SysAllocStringLen(password.data(), static_cast<UINT>(password.size())));
    EXPECT_EQ(crypt->put_Password(testo.get()), S_OK);
  }
  CifEncryptError CifraFile(ICrypt* crypt, const std::string& da, const std::string& a, bool cifra = true) {
    talvo::unique_bstr in(::SysAllocString(std::wstring(da.begin(), da.end()).c_str()));
    talvo::unique_bstr out(::SysAllocString(std::wstring(a.begin(), a.end()).c_str()));
    CifEncryptError esito = CifEncryptSuccess;
    EXPECT_EQ(cifra ? crypt->EncryptFile(in.get(), out.get(), &esito)
                    : crypt->DecryptFile(in.get(), out.get(), &esito),
              S_OK);
    return esito;
  }
  static std::wstring Stringa(const VARIANT& v) {
    EXPECT_EQ(v.vt, VT_BSTR);
    return v.vt == VT_BSTR ? std::wstring(v.bstrVal, ::SysStringLen(v.bstrVal)) : std::wstring();
  }
};

TEST_F(CryptTest, AnswersItsInterfacesAndNoConnectionPoints) {
  ComPtr<ICrypt> crypt = Nuovo();
  for (const IID* iid : {&IID_IUnknown, &IID_IDispatch, &IID_ICrypt, &IID_IConnectionPointContainer}) {
    ComPtr<IUnknown> altro;
    EXPECT_EQ(crypt->QueryInterface(*iid, reinterpret_cast<void**>(altro.put())), S_OK);
  }
  ComPtr<IConnectionPointContainer> contenitore;
  ASSERT_EQ(crypt->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(contenitore.put())),
            S_OK);
  IConnectionPoint* punto = reinterpret_cast<IConnectionPoint*>(1);
  EXPECT_EQ(contenitore->FindConnectionPoint(DIID__ICryptEvents, &punto), CONNECT_E_NOCONNECTION);
  EXPECT_EQ(punto, nullptr);
  ComPtr<IEnumConnectionPoints> elenco;
  ASSERT_EQ(contenitore->EnumConnectionPoints(elenco.put()), S_OK);
  IConnectionPoint* trovati[1] = {};
  ULONG quanti = 7;
  EXPECT_EQ(elenco->Next(1, trovati, &quanti), S_FALSE);
  EXPECT_EQ(quanti, 0u);
}

TEST_F(CryptTest, CanBeAggregated) {
  // A minimal outer object: the inner object's interfaces delegate their IUnknown to it.
  struct Esterno : IUnknown {
    IUnknown* interno = nullptr;
    ULONG riferimenti = 1;
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
      if (::IsEqualIID(riid, IID_IUnknown)) {
        *ppv = this;
        AddRef();
        return S_OK;
      }
      return interno->QueryInterface(riid, ppv);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++riferimenti; }
    STDMETHODIMP_(ULONG) Release() override { return --riferimenti; }
  } esterno;
  ASSERT_EQ(::CoCreateInstance(CLSID_Crypt, &esterno, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&esterno.interno)),
            S_OK);
  ICrypt* crypt = nullptr;
  ASSERT_EQ(esterno.QueryInterface(IID_ICrypt, reinterpret_cast<void**>(&crypt)), S_OK);
  IUnknown* identita = nullptr;
  ASSERT_EQ(crypt->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identita)), S_OK);
  EXPECT_EQ(identita, static_cast<IUnknown*>(&esterno));
  identita->Release();
  crypt->Release();
  esterno.interno->Release();
}

TEST_F(CryptTest, ThePasswordCannotBeClearedAndIsKeptWhole) {
  ComPtr<ICrypt> crypt = Nuovo();
  EXPECT_EQ(Password(crypt.get()), L"");
  talvo::test::ScriviFile(cartella / "chiaro", "dati");
  EXPECT_EQ(CifraFile(crypt.get(), cartella / "chiaro", cartella / "uscita"), CifEncryptNoPwd);
  EXPECT_FALSE(talvo::test::EsisteFile(cartella / "uscita"));

  ImpostaPassword(crypt.get(), L"secret");
  ImpostaPassword(crypt.get(), L"");
  EXPECT_EQ(crypt->put_Password(nullptr), S_OK);
  EXPECT_EQ(Password(crypt.get()), L"secret");

  // The password ends at its first NUL; one that starts with NUL is ignored like an empty one.
  ImpostaPassword(crypt.get(), std::wstring(L"\0altro", 6));
  EXPECT_EQ(Password(crypt.get()), L"secret");
  ImpostaPassword(crypt.get(), std::wstring(L"segreto\0coda", 12));
  EXPECT_EQ(Password(crypt.get()), L"segreto");

  const std::wstring lunga119(119, L'p');
  ImpostaPassword(crypt.get(), lunga119);
  EXPECT_EQ(Password(crypt.get()), lunga119);

  // A longer password is kept whole and its key comes from every character of it.
  std::wstring lunga(300, L'q');
  ImpostaPassword(crypt.get(), lunga);
  EXPECT_EQ(Password(crypt.get()), lunga);
  talvo::test::ScriviFile(cartella / "zeri", std::string(32, '\0'));
  ASSERT_EQ(CifraFile(crypt.get(), cartella / "zeri", cartella / "a"), CifEncryptSuccess);
  lunga.back() = L'r';
  ImpostaPassword(crypt.get(), lunga);
  ASSERT_EQ(CifraFile(crypt.get(), cartella / "zeri", cartella / "b"), CifEncryptSuccess);
  EXPECT_NE(talvo::test::LeggiFile(cartella / "a"), talvo::test::LeggiFile(cartella / "b"));
}

TEST_F(CryptTest, ZeroBytesGiveTheBaseProviderKeyStream) {
  ComPtr<ICrypt> crypt = Nuovo();
  ImpostaPassword(crypt.get(), L"secret");
  talvo::test::ScriviFile(cartella / "zeri", std::string(16, '\0'));
  ASSERT_EQ(CifraFile(crypt.get(), cartella / "zeri", cartella / "flusso"), CifEncryptSuccess);
  EXPECT_EQ(talvo::test::LeggiFile(cartella / "flusso"),
            std::string("\x9c\x8e\x01\x23\x78\xf7\x55\xdc\x85\xc8\xc9\x09\x4e\x13\x74\xbf", 16));
  ASSERT_EQ(CifraFile(crypt.get(), cartella / "flusso", cartella / "indietro", false), CifEncryptSuccess);
  EXPECT_EQ(talvo::test::LeggiFile(cartella / "indietro"), std::string(16, '\0'));
}

TEST_F(CryptTest, APasswordWithANulEnciphersAsItsTextBeforeTheNul) {
  ComPtr<ICrypt> crypt = Nuovo();
  ImpostaPassword(crypt.get(), std::wstring(L"secret\0xyz", 10));
  talvo::test::ScriviFile(cartella / "zeri", std::string(16, '\0'));
  ASSERT_EQ(CifraFile(crypt.get(), cartella / "zeri", cartella / "flusso"), CifEncryptSuccess);
  EXPECT_EQ(talvo::test::LeggiFile(cartella / "flusso"),
            std::string("\x9c\x8e\x01\x23\x78\xf7\x55\xdc\x85\xc8\xc9\x09\x4e\x13\x74\xbf", 16));
}

TEST_F(CryptTest, TwoObjectsWithThePasswordShareTheKey) {
  ComPtr<ICrypt> uno = Nuovo();
  ComPtr<ICrypt> due = Nuovo();
  ImpostaPassword(uno.get(), L"segreto");
  ImpostaPassword(due.get(), L"segreto");
  talvo::unique_variant testo, cifrato, decifrato;
  VARIANT* ingresso = testo.put();
  ingresso->vt = VT_BSTR;
  ingresso->bstrVal = ::SysAllocString(L"Registro elettronico");
  ASSERT_EQ(uno->Encrypt(ingresso, cifrato.put()), S_OK);
  EXPECT_EQ(Stringa(cifrato.get()).size(), 4u * 20 / 3 + 1);
  VARIANT intermedio = cifrato.get();
  ASSERT_EQ(due->Decrypt(&intermedio, decifrato.put()), S_OK);
  EXPECT_EQ(Stringa(decifrato.get()), L"Registro elettronico");
}

TEST_F(CryptTest, LateBoundCallersReachEveryMemberByName) {
  ComPtr<ICrypt> crypt = Nuovo();
  ComPtr<IDispatch> oggetto;
  ASSERT_EQ(crypt->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(oggetto.put())), S_OK);

  const OLECHAR* nomi[] = {L"EncryptFile", L"DecryptFile", L"Password", L"Encrypt", L"Decrypt"};
  for (DISPID atteso = 1; atteso <= 5; ++atteso) {
    DISPID id = 0;
    LPOLESTR nome = const_cast<LPOLESTR>(nomi[atteso - 1]);
    ASSERT_EQ(oggetto->GetIDsOfNames(IID_NULL, &nome, 1, 0x409, &id), S_OK);
    EXPECT_EQ(id, atteso) << nomi[atteso - 1];
  }

  // Password put through IDispatch.
  VARIANT valore;
  valore.vt = VT_BSTR;
  valore.bstrVal = ::SysAllocString(L"secret");
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS parametri{&valore, &put, 1, 1};
  ASSERT_EQ(oggetto->Invoke(3, IID_NULL, 0x409, DISPATCH_PROPERTYPUT, &parametri, nullptr, nullptr, nullptr),
            S_OK);
  ::VariantClear(&valore);
  EXPECT_EQ(Password(crypt.get()), L"secret");

  talvo::test::Invocation cifrato =
      talvo::test::InvokeByName(oggetto.get(), L"Encrypt", {talvo::test::BstrArgument(L"abc")});
  ASSERT_EQ(cifrato.hr, S_OK);
  const std::wstring testo = Stringa(cifrato.result.get());
  EXPECT_EQ(testo.size(), 5u);
  talvo::test::Invocation decifrato =
      talvo::test::InvokeByName(oggetto.get(), L"Decrypt", {talvo::test::BstrArgument(testo)});
  ASSERT_EQ(decifrato.hr, S_OK);
  EXPECT_EQ(Stringa(decifrato.result.get()), L"abc");

  talvo::test::ScriviFile(cartella / "chiaro", std::string(1001, 'x'));
  const std::string da = cartella / "chiaro";
  const std::string a = cartella / "cifrato";
  talvo::test::Invocation file =
      talvo::test::InvokeByName(oggetto.get(), L"EncryptFile",
                                {talvo::test::BstrArgument(std::wstring(da.begin(), da.end())),
                                 talvo::test::BstrArgument(std::wstring(a.begin(), a.end()))});
  ASSERT_EQ(file.hr, S_OK);
  ASSERT_EQ(file.result.get().vt, VT_I4);
  EXPECT_EQ(file.result.get().lVal, CifEncryptSuccess);
  EXPECT_EQ(talvo::test::LeggiFile(a).size(), 1001u);
}

TEST_F(CryptTest, TheTypeLibraryDescribesTheResultValues) {
  ComPtr<ITypeLib> libreria;
  ASSERT_EQ(::LoadRegTypeLib(LIBID_CIFRELLib, 1, 0, 0, libreria.put()), S_OK);
  BSTR nome = nullptr;
  BSTR aiuto = nullptr;
  ASSERT_EQ(libreria->GetDocumentation(-1, &nome, &aiuto, nullptr, nullptr), S_OK);
  EXPECT_EQ(std::wstring(nome), L"CIFRELLib");
  EXPECT_EQ(std::wstring(aiuto), L"Cifrel 1.0 Type Library");
  ::SysFreeString(nome);
  ::SysFreeString(aiuto);

  const std::pair<long, std::wstring> attesi[] = {
      {0, L"Success"},
      {static_cast<long>(0x8FFFFFF1), L"Password is Empty"},
      {static_cast<long>(0x8FFFFFF2), L"Failed in Opening Source File"},
      {static_cast<long>(0x8FFFFFF3), L"Failed in Opening Destination File"},
      {static_cast<long>(0x8FFFFFF4), L"Security Provider Missing"},
      {static_cast<long>(0x8FFFFFF5), L"Format Invalid"},
      {static_cast<long>(0x8FFFFFF6), L"Error In Provider"},
  };
  ComPtr<ITypeInfo> enumerazione;
  for (UINT i = 0; i < libreria->GetTypeInfoCount() && !enumerazione; ++i) {
    TYPEKIND tipo;
    if (SUCCEEDED(libreria->GetTypeInfoType(i, &tipo)) && tipo == TKIND_ENUM)
      libreria->GetTypeInfo(i, enumerazione.put());
  }
  ASSERT_TRUE(enumerazione);
  for (UINT i = 0; i < std::size(attesi); ++i) {
    VARDESC* descrizione = nullptr;
    ASSERT_EQ(enumerazione->GetVarDesc(i, &descrizione), S_OK);
    EXPECT_EQ(descrizione->lpvarValue->lVal, attesi[i].first);
    ASSERT_EQ(enumerazione->GetDocumentation(descrizione->memid, nullptr, &aiuto, nullptr, nullptr), S_OK);
    EXPECT_EQ(aiuto ? std::wstring(aiuto) : std::wstring(), attesi[i].second);
    ::SysFreeString(aiuto);
    enumerazione->ReleaseVarDesc(descrizione);
  }
}

TEST(CifrelModule, CanUnloadOnlyWhenNoObjectOrLockIsLeft) {
  talvo::test::Apartment apartment;
  talvo::test::LoadedServer server(Server());
  EXPECT_EQ(server.CanUnloadNow(), S_OK);
  ComPtr<IClassFactory> fabbrica;
  ASSERT_EQ(server.GetClassObject(CLSID_Crypt, IID_IClassFactory, reinterpret_cast<void**>(fabbrica.put())),
            S_OK);
  ComPtr<ICrypt> crypt;
  ASSERT_EQ(fabbrica->CreateInstance(nullptr, IID_ICrypt, reinterpret_cast<void**>(crypt.put())), S_OK);
  EXPECT_EQ(server.CanUnloadNow(), S_FALSE);
  crypt = {};
  ASSERT_EQ(fabbrica->LockServer(TRUE), S_OK);
  EXPECT_EQ(server.CanUnloadNow(), S_FALSE);
  ASSERT_EQ(fabbrica->LockServer(FALSE), S_OK);
  fabbrica = {};
  EXPECT_EQ(server.CanUnloadNow(), S_OK);
}

}  // namespace
