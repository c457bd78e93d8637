// The table itself. UTF-8 source, compiled with UTF-8 as the execution
// character set, so every literal keeps its bytes. Texts use CR alone as the
// line break.
#include "resconst/ResConst.h"

const TLanguageInfo Languages[LanguageCount] = {
    {0x0007, "de", "Deutsch"},
    {0x0009, "en", "English"},
    {0x000A, "es", "Español"},
    {0x000C, "fr", "Français"},
    {0x0015, "pl", "Polski"},
    {0x0011, "ja", "日本語 (Japanese)"},
    {0x0004, "zh", "简体中文 (Simplified Chinese)"},
    {0x0404, "zht", "繁體中文 (Traditional Chinese)"},
};

const uint8_t LanguageOrder[LanguageCount] = {0, 1, 2, 3, 4, 5, 6, 7};

namespace {

// Cells that several languages share.
const char ProductNameEn[] = "Lorvane Word Processor";
const char ProductNameLiteEn[] = "Lorvane Word Processor Lite";
const char BackZh[] = "< &B返回";
const char CancelZh[] = "取消";
const char HelpUrlEn[] = LV_HELP_SITE "/en/help/portable.htm";

}  // namespace

// Product names and titles

TLocalisedText SProductName = {
    "Lorvane-Textverarbeitungsprogramm",
    ProductNameEn,
    "Procesador de textos Lorvane",
    "Traitement de texte Lorvane",
    ProductNameEn,
    ProductNameEn,
    "Lorvane文字处理器",
    "Lorvane文字處理器",
};

TLocalisedText SProductNameLite = {
    "Lorvane-Textverarbeitungsprogramm Lite",
    ProductNameLiteEn,
    "Procesador de textos Lorvane Lite",
    "Traitement de texte Lorvane (Version Light)",
    ProductNameLiteEn,
    ProductNameLiteEn,
    "Lorvane文字处理器限制版",
    "Lorvane文字處理器限制版",
};

TLocalisedText SSetupTitle = {
    "Lorvane-Textverarbeitungsprogramm Lite - Setup",
    "Lorvane Word Processor Lite - Setup",
    "Procesador de textos Lorvane Lite - Instalación",
    "Installation du traitement de texte Lorvane (Version Light)",
    "Lorvane Word Processor Lite - Konfiguracja",
    "Lorvane Word Processor Lite - セットアップ",
    "Lorvane文字处理器限制版 - 安装",
    "Lorvane文字處理器限制版 - 安裝",
};

// Labels and check boxes; "&" marks the accelerator

TLocalisedText SLanguageLabel = {
    "Sprache:", "Language:", "Idioma:", "Langue :", "Język", "言語:", "语言:", "語言:",
};

TLocalisedText SAcceptLicence = {
    "Ich akzeptiere alle Bedingungen der Lizenzvereinbarung",
    "I &accept all the terms of the above License Agreement",
    "&Acepto todos los términos del Acuerdo de licencia anterior",
    "J'&accepte l'Accord de licence ci-dessus dans son intégralité",
    "Akceptuję wszystkie warunki powyższej Umowy licencyjnej",
    "上記のライセンス契約のすべての条件に同意します",
    "&A我接受上述许可协议的所有条款",
    "&A我接受上述許可協議的所有條款",
};

TLocalisedText SInstallPortable = {
    "Als &portable Version installieren",
    "Install as &portable",
    "Instalar como &portátil",
    "Installer une copie &portable",
    "Zainstaluj jako wersja &przenośna",
    "ポータブル版としてインストール(&P)",
    "&P便携式安装",
    "&P便攜式安裝",
};

TLocalisedText SInstallForAll = {
    "Installation für alle Benutzer dieses Computers",
    "Install for &anyone who uses this computer",
    "Instalar para cualquier persona que use esta computadora",
    "Installer pour &tous les utilisateurs de cet ordinateur",
    "Zainstaluj dla każdego, kto korzysta z tego komputera",
    "すべてのユーザー向けにインストールする(&A)",
    "&A为使用此计算机的任何人安装",
    "&A為使用此計算機的任何人安裝",
};

TLocalisedText SDesktopShortcut = {
    "Erstellen Sie eine &Desktop-Verknüpfung",
    "Create a &Desktop shortcut",
    "Crear un acceso directo en el escritorio",
    "Créer un raccourci &Bureau",
    "Utwórz skrót na Pulpicie",
    "デスクトップショートカットを作成する(&D)",
    "&D创建桌面快捷方式",
    "&D創建桌面快捷方式",
};

TLocalisedText SLaunchApp = {
    "&Starten Sie das Lorvane-Textverarbeitungsprogramm",
    "&Launch Lorvane Word Processor",
    "&Lanzamiento del Procesador de textos Lorvane",
    "&Lancer Traitement de texte Lorvane tout de suite",
    "Uruchomienie programu \"Lorvane Word Processor\"",
    "Lorvane Word Processor を起動する(&L)",
    "&L开始Lorvane文字处理器",
    "&L開始Lorvane文字處理器",
};

// Buttons

TLocalisedText SBackButton = {
    "< &Zurück", "< &Back", "< &Previo", "< &Retour", "< Wróć", "< 戻る(&B)", BackZh, BackZh,
};

TLocalisedText SNextButton = {
    "&Nächste >", "&Next >", "&Siguiente >", "&Suite >", "Dalej >", "次へ(&N) >", "&N下一步>", "&N下一步>",
};

TLocalisedText SFinishButton = {
    "&Fertig stellen", "&Finish", "&Terminar", "&Terminer", "KONIEC", "終了(&F)", "&F结束", "&F結束",
};

TLocalisedText SCancelButton = {
    "Abbrechen", "Cancel", "Cancelar", "Annuler", "Anuluj", "キャンセル", CancelZh, CancelZh,
};

TLocalisedText SBrowseButton = {
    "Durchsuchen...", "Browse...", "Explorar...", "Parcourir...", "Wyszukaj...", "参照...", "浏览...", "瀏覽...",
};

// Page labels

TLocalisedText SWelcomeText = {
    "Dieses Programm installiert das %s (Version 5.0.0.4%s) auf Ihrem Computer.",
    "This program will install %s (version 5.0.0.4%s) on your computer.",
    "Este programa instalará el %s (versión 5.0.0.4%s) en su computadora.",
    "Ce programme va installer le %s, version 5.0.0.4%s, sur votre ordinateur.",
    "Ten program zainstaluje %s (wersja 5.0.0.4%s) na tym komputerze.",
    "このプログラムは、%s（バージョン 5.0.0.4%s）をお使いのコンピュータにインストールします。",
    "本程序将在您的计算机上安装%s（版本 5.0.0.4%s）。",
    "本程式將在您的電腦上安裝%s（版本 5.0.0.4%s）。",
};

TLocalisedText SReadyText = {
    "Sie können das Lorvane-Textverarbeitungsprogramm jetzt installieren.\r\r"
    "Klicken Sie auf „Nächste“, um die Installation zu beginnen. Klicken Sie auf „Zurück“, wenn Sie die "
    "Installationseinstellungen überprüfen oder ändern möchten.",

    "You are now ready to install Lorvane Word Processor.\r\r"
    "Click Next to begin installation. Click Back if you want to review or change installation settings.",

    "Ya puede instalar el Procesador de textos Lorvane.\r\r"
    "Haga clic en Siguiente para comenzar la instalación. Haga clic en Previo si desea revisar o cambiar la "
    "configuración de la instalación.",

    "Vous êtes maintenant prêt à installer le Traitement de texte Lorvane.\r\r"
    "Cliquez sur Suite pour commencer l'installation. Cliquez sur Retour si vous souhaitez vérifier ou modifier les "
    "paramètres d'installation.",

    "Wszystko jest gotowe do instalacji programu Lorvane Word Processor.\r\r"
    "Kliknij Dalej, aby rozpocząć instalację. Kliknij Wróć, jeśli chcesz przejrzeć lub zmienić ustawienia "
    "instalacji.",

    "Lorvane Word Processor をインストールする準備ができました。\r\r"
    "インストールを開始するには [次へ] をクリックしてください。インストールの設定を確認または変更する場合は "
    "[戻る] をクリックしてください。",

    "现在可以安装Lorvane文字处理器了。\r\r"
    "单击“下一步”开始安装。如果要查看或更改安装设置，请单击“返回”。",

    "現在可以安裝Lorvane文字處理器了。\r\r"
    "按一下「下一步」開始安裝。如果要檢視或變更安裝設定，請按一下「返回」。",
};

TLocalisedText SFinishedText = {
    "Das %s 5.0.0.4%s wurde erfolgreich auf Ihrem Computer installiert.\r\r"
    "Klicken Sie auf „Fertig stellen“, um das Setup zu beenden.",

    "%s 5.0.0.4%s has been successfully installed on your computer.\r\rClick Finish to exit this Setup.",

    "El %s 5.0.0.4%s se ha instalado correctamente en su computadora.\r\r"
    "Haga clic en Terminar para salir del programa de instalación.",

    "Le %s, version 5.0.0.4%s, a été installé avec succès sur votre ordinateur.\r\r"
    "Cliquez sur Terminer pour quitter le programme d'installation.",

    "Program %s 5.0.0.4%s został pomyślnie zainstalowany na tym komputerze.\r\r"
    "Kliknij KONIEC, aby zakończyć instalację.",

    "%s 5.0.0.4%s がコンピュータに正常にインストールされました。\r\r"
    "セットアップを終了するには [終了] をクリックしてください。",

    "%s 5.0.0.4%s已成功安装到您的计算机上。\r\r单击“结束”退出安装程序。",

    "%s 5.0.0.4%s已成功安裝到您的電腦上。\r\r按一下「結束」離開安裝程式。",
};

// Shortcut description

TLocalisedText SDescription = {
    "Kompaktes, schnell ladendes und dennoch leistungsstarkes und effizientes Textverarbeitungsprogramm",
    "Compact, fast-loading, but still powerful and efficient word processor",
    "Procesador de textos compacto y de carga rápida, pero aun así potente y eficiente",
    "Traitement de texte compact et rapide à charger, mais puissant et efficace",
    "Kompaktowy, szybko się uruchamiający, a mimo to wydajny edytor tekstu o dużych możliwościach",
    "コンパクトで起動が速く、それでいて高機能で効率的なワードプロセッサ",
    "小巧、加载迅速，却依然强大而高效的文字处理器",
    "小巧、載入迅速，卻依然強大而高效的文字處理器",
};

// Message boxes

TLocalisedText SMustAcceptLicence = {
    "Um dieses Programm zu installieren, müssen Sie allen Bedingungen der Lizenzvereinbarung zustimmen.",
    "To install this program, you need to agree to all the terms of the License Agreement.",
    "Para instalar este programa, debe aceptar todos los términos del Acuerdo de licencia.",
    "Pour installer ce programme, vous devez accepter toutes les conditions de l'Accord de licence.",
    "Aby zainstalować ten program, musisz zaakceptować wszystkie warunki Umowy licencyjnej.",
    "このプログラムをインストールするには、ライセンス契約のすべての条件に同意する必要があります。",
    "要安装此程序，您必须同意许可协议的所有条款。",
    "要安裝此程式，您必須同意許可協議的所有條款。",
};

TLocalisedText SCloseRunningInstances = {
    "Bitte schließen Sie alle laufenden Instanzen des Lorvane-Textverarbeitungsprogramms und klicken Sie dann in "
    "diesem Dialogfeld auf „OK“.",
    "Please close any running instance(s) of Lorvane Word Processor, then click OK in this dialog.",
    "Cierre todas las instancias en ejecución del Procesador de textos Lorvane y, a continuación, haga clic en "
    "Aceptar en este cuadro de diálogo.",
    "Veuillez fermer toutes les instances du Traitement de texte Lorvane en cours d'exécution, puis cliquer sur OK "
    "dans cette boîte de dialogue.",
    "Zamknij wszystkie uruchomione kopie programu Lorvane Word Processor, a następnie kliknij OK w tym oknie "
    "dialogowym.",
    "実行中の Lorvane Word Processor をすべて終了してから、このダイアログの [OK] をクリックしてください。",
    "请关闭所有正在运行的Lorvane文字处理器实例，然后单击此对话框中的“确定”。",
    "請關閉所有正在執行的Lorvane文字處理器，然後按一下此對話方塊中的「確定」。",
};

TLocalisedText SConfirmQuit = {
    "Die Installation ist nicht abgeschlossen. Möchten Sie das Setup-Programm beenden?",
    "Setup is not complete. Do you wish to quit this setup program?",
    "La instalación no ha finalizado. ¿Desea salir del programa de instalación?",
    "L'installation n'est pas terminée. Cliquez sur Non pour la poursuivre. Cliquez sur Oui pour quitter le "
    "programme d'installation.",
    "Instalacja nie została ukończona. Czy chcesz zakończyć działanie programu instalacyjnego?",
    "セットアップは完了していません。セットアップ プログラムを終了しますか？",
    "安装尚未完成。您要退出安装程序吗？",
    "安裝尚未完成。您要結束安裝程式嗎？",
};

TLocalisedText SPortableNotAllowed = {
    "In diesem Ordner kann keine portable Version installiert werden.",
    "A portable copy cannot be installed to this folder.",
    "No se puede instalar una copia portátil en esta carpeta.",
    "Une copie portable ne peut pas être installée dans ce dossier.",
    "W tym folderze nie można zainstalować wersji przenośnej.",
    "このフォルダにはポータブル版をインストールできません。",
    "无法将便携版安装到此文件夹。",
    "無法將便攜版安裝到此資料夾。",
};

TLocalisedText SCannotCreateFile = {
    "Die Datei „%s“ kann nicht erstellt werden.\r"
    "Möglicherweise wird diese Datei bereits von einer anderen Anwendung verwendet.\r\r"
    "Bitte stellen Sie sicher, dass das Setup des Lorvane-Textverarbeitungsprogramms in keiner Weise von Ihrer "
    "Sicherheitssoftware (Firewall/Antivirus) blockiert wird.",

    "Cannot create file \"%s\".\rAnother application might already be using this file.\r\r"
    "Please make sure that the setup of Lorvane Word Processor is not blocked by your security software "
    "(firewall/antivirus) in any way.",

    "No se puede crear el archivo \"%s\".\rEs posible que otra aplicación ya esté usando este archivo.\r\r"
    "Asegúrese de que su software de seguridad (cortafuegos/antivirus) no bloquee de ninguna manera la "
    "instalación del Procesador de textos Lorvane.",

    "Impossible de créer le fichier \"%s\".\rUne autre application utilise peut-être déjà ce fichier.\r\r"
    "Veuillez vous assurer que l'installation du Traitement de texte Lorvane n'est bloquée d'aucune manière par "
    "votre logiciel de sécurité (pare-feu/antivirus).",

    "Nie można utworzyć pliku „%s”.\rMożliwe, że inna aplikacja już używa tego pliku.\r\r"
    "Upewnij się, że instalacja programu Lorvane Word Processor nie jest w żaden sposób blokowana przez "
    "oprogramowanie zabezpieczające (zaporę/program antywirusowy).",

    "ファイルを作成できません。\r別のアプリケーションがこのファイルを既に使用している可能性があります。\r\r"
    "Lorvane Word Processor のセットアップがセキュリティ ソフトウェア（ファイアウォール/ウイルス対策ソフト）"
    "によってブロックされていないことを確認してください。",

    "无法创建文件“%s”。\r其他应用程序可能正在使用此文件。\r\r"
    "请确保您的安全软件（防火墙/杀毒软件）没有拦截Lorvane文字处理器的安装程序。",

    "無法建立檔案「%s」。\r其他應用程式可能正在使用此檔案。\r\r"
    "請確定Lorvane文字處理器的安裝程式沒有以任何方式被您的安全性軟體（防火牆/防毒軟體）封鎖。",
};

TLocalisedText SDamagedSetup = {
    "Die Setup-Datei ist beschädigt und kann nicht verwendet werden.\r\r"
    "Bitte laden Sie das Setup des Lorvane-Textverarbeitungsprogramms erneut herunter.",

    "The setup file is damaged and cannot be used.\r\rPlease download the Lorvane Word Processor setup again.",

    "El archivo del programa de instalación está dañado y no se puede usar.\r\r"
    "Vuelva a descargar el programa de instalación del Procesador de textos Lorvane.",

    "Le fichier du programme d'installation est endommagé et ne peut pas être utilisé.\r\r"
    "Veuillez télécharger à nouveau le programme d'installation du Traitement de texte Lorvane.",

    "Plik instalacyjny jest uszkodzony i nie może zostać użyty.\r\r"
    "Pobierz ponownie instalator programu Lorvane Word Processor.",

    "セットアップ ファイルが破損しているため、使用できません。\r\r"
    "Lorvane Word Processor のセットアップをもう一度ダウンロードしてください。",

    "安装文件已损坏，无法使用。\r\r请重新下载Lorvane文字处理器的安装程序。",

    "安裝檔案已損毀，無法使用。\r\r請重新下載Lorvane文字處理器的安裝程式。",
};

// The help page on portable installations; the site is set at build time.
TLocalisedText SPortableHelpUrl = {
    HelpUrlEn, HelpUrlEn, HelpUrlEn, LV_HELP_SITE "/fr/help/portable.htm", HelpUrlEn, HelpUrlEn, HelpUrlEn, HelpUrlEn,
};

const char *const SPageTitles[LanguageCount][PageCount] = {
    {"Willkommen beim Lorvane-Textverarbeitungsprogramm-Setup", "Lizenzvereinbarung", "Wählen Sie Zielordner",
     "Bereit zur Installation", "Installieren", "Installation abgeschlossen", ""},
    {"Welcome to the Lorvane Word Processor Lite Setup", "License Agreement", "Choose Destination Folder",
     "Ready to Install", "Installing", "Installation Complete", ""},
    {"Bienvenido a la instalación del Procesador de textos Lorvane Lite", "Acuerdo de licencia",
     "Elija la carpeta de destino", "Listo para instalar", "Instalando", "Instalación completa", ""},
    {"Merci de faire confiance à Lorvane", "Accord de Licence", "Choix du dossier d'installation",
     "L'installation peut commencer", "Installation", "Installation terminée", ""},
    {"Witamy w programie \"Lorvane Word Processor\"", "Umowa licencyjna", "Wybierz folder docelowy",
     "Gotowy do instalacji", "Instalowanie", "Instalacja ukończona", ""},
    {"Lorvane Word Processor Lite のセットアップにようこそ", "ライセンス契約", "インストール先フォルダの選択",
     "インストール準備完了", "インストール中", "インストール完了", ""},
    {"欢迎使用Lorvane文字处理器设置", "许可协议", "选择目标文件夹", "准备安装", "安装", "安装完成", ""},
    {"歡迎使用Lorvane文字處理器設置", "許可協議", "選擇目標文件夾", "準備安裝", "安裝", "安裝完成", ""},
};
