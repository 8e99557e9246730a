#include "model/items/GoogleMapItem.h"
#include "model/Escaping.h"
#include "model/ItemAction.h"
#include "model/ItemPlaceholder.h"
#include "model/PageOutput.h"
#include "model/items/MediaFrame.h"
#include <QtCore/QLocale>

using archive_io::Io;

namespace {

struct LanguageCentre {
    int id;
    double latitude, longitude;
};

const LanguageCentre kCentres[] = {
    {1045, 52.22982673134171, 21.011744141578674},
    {1025, 21.534847, 39.199219},
    {1030, 55.671389, 12.546387},
    {1031, 50.113533, 8.668213},
    {2055, 47.376035, 8.522644},
    {4108, 47.376035, 8.522644},
    {3079, 47.245678, 11.398315},
    {1032, 37.974515, 23.719482},
    {1033, 34.062615, -118.24894},
    {3081, -33.88424, 151.206207},
    {4105, 45.425142, -75.700092},
    {3084, 45.425142, -75.700092},
    {5129, -41.29277, 174.777374},
    {6153, 53.330873, -6.28418},
    {7177, -33.94336, 18.424072},
    {2058, 19.394068, -99.118652},
    {1036, 48.835797, 2.329102},
    {2060, 50.840636, 4.350586},
    {2067, 50.840636, 4.350586},
    {1038, 47.487513, 18.984375},
    {2070, 38.732661, -9.168091},
    {1050, 45.767523, 15.952148},
};

// Numbers of the map script: ten significant digits, C locale.
CString Number(double v)
{
    return CString::Formatted("%.10g", v);
}

} // namespace

int SystemLanguageId()
{
    const QLocale locale = QLocale::system();
    struct Entry {
        QLocale::Language language;
        QLocale::Territory territory; // AnyTerritory: the language's main id
        int id;
    };
    static const Entry kIds[] = {
        {QLocale::Polish, QLocale::AnyTerritory, 1045},
        {QLocale::Arabic, QLocale::AnyTerritory, 1025},
        {QLocale::Danish, QLocale::AnyTerritory, 1030},
        {QLocale::German, QLocale::Switzerland, 2055},
        {QLocale::German, QLocale::Austria, 3079},
        {QLocale::German, QLocale::AnyTerritory, 1031},
        {QLocale::Greek, QLocale::AnyTerritory, 1032},
        {QLocale::English, QLocale::Australia, 3081},
        {QLocale::English, QLocale::Canada, 4105},
        {QLocale::English, QLocale::NewZealand, 5129},
        {QLocale::English, QLocale::Ireland, 6153},
        {QLocale::English, QLocale::SouthAfrica, 7177},
        {QLocale::English, QLocale::AnyTerritory, 1033},
        {QLocale::Spanish, QLocale::Mexico, 2058},
        {QLocale::French, QLocale::Switzerland, 4108},
        {QLocale::French, QLocale::Canada, 3084},
        {QLocale::French, QLocale::Belgium, 2060},
        {QLocale::French, QLocale::AnyTerritory, 1036},
        {QLocale::Dutch, QLocale::Belgium, 2067},
        {QLocale::Hungarian, QLocale::AnyTerritory, 1038},
        {QLocale::Portuguese, QLocale::Portugal, 2070},
        {QLocale::Croatian, QLocale::AnyTerritory, 1050},
    };
    for (const Entry& e : kIds)
        if (e.language == locale.language() && (e.territory == QLocale::AnyTerritory || e.territory == locale.territory()))
            return e.id;
    return 0;
}

void CGoogleMapItem::SetDefaultCentre()
{
    SetDefaultCentre(SystemLanguageId());
}

void CGoogleMapItem::SetDefaultCentre(int languageId)
{
    m_dLatitude = 34.062615;
    m_dLongitude = -118.24894;
    for (const LanguageCentre& c : kCentres)
        if (c.id == languageId) {
            m_dLatitude = c.latitude;
            m_dLongitude = c.longitude;
        }
}

void CGoogleMapItem::Serialize(CArchive& ar, int version)
{
    CItem::Serialize(ar, version);
    Io(ar, m_strApiKey);
    Io(ar, m_dLongitude);
    Io(ar, m_dLatitude);
    Io(ar, m_bMarker);
    Io(ar, m_nZoom);
    if (ar.IsStoring() || version >= 88)
        Io(ar, m_nApiVersion);
}

void CGoogleMapItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CItem::Draw(dc);
    if (HasNoPaintedBorder(*this))
        DrawMediaOutline(*this, dc);
    DrawPlaceholder(*this, dc, CString::Formatted("Google Map: %f,%f", m_dLongitude, m_dLatitude), 0xFF8000);
}

void CGoogleMapItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    const CString id = GetHtmlId();
    const CString jsId = EscapeJsString(id);
    const int k = m_nSerial;
    out.Append("<p");
    out.AppendAttribute("id", id);
    const CString style = GetStyle() + " overflow:hidden;";
    out.AppendAttribute("style", style);
    out.Append("></p>");
    out.AppendLine();

    CString info;
    if (!m_strText.IsEmpty()) {
        CString utf8;
        m_strText.ToUtf8(utf8);
        utf8.Replace("\r\n", "<br>");
        info = EscapeJsString(utf8);
    }
    const CString lat = Number(m_dLatitude), lng = Number(m_dLongitude);
    if (m_nApiVersion == 0) {
        out.Append("<script type=\"text/javascript\" src=\"" + HtmlAttributeEscape(CPageOutput::Servers().mapsHost)
            + "/maps?file=api&amp;v=2&amp;key=" + UrlEncodePath(m_strApiKey) + "\"></script>");
        out.AppendLine();
        out.Append("<script type=\"text/javascript\">");
        out.AppendLine();
        out.Append(CString::Formatted("var map%d = new GMap2(document.getElementById('%s'));", k, jsId.GetString()));
        out.AppendLine();
        out.Append(CString::Formatted("map%d.setCenter(new GLatLng(%s,%s), %d);", k, lat.GetString(), lng.GetString(), m_nZoom));
        out.AppendLine();
        out.Append(CString::Formatted("map%d.setUIToDefault(); ", k));
        out.AppendLine();
        if (m_bMarker) {
            out.Append(CString::Formatted("map%d.addOverlay(new GMarker(new GLatLng(%s,%s)));", k, lat.GetString(), lng.GetString()));
            out.AppendLine();
        }
        if (!info.IsEmpty()) {
            out.Append(CString::Formatted("map%d.openInfoWindowHtml(map%d.getCenter(),'<p>%s</p>');", k, k, info.GetString()));
            out.AppendLine();
        }
        out.Append("</script>");
        out.AppendLine();
        return;
    }
    out.m_bMapsUsed = 1;
    out.Append("<script type=\"text/javascript\">");
    out.AppendLine();
    // Without the map service (offline, blocked) the page shows an empty box, not a script error.
    out.Append("if (window.google && google.maps) {");
    out.AppendLine();
    out.Append(CString::Formatted("var myLatlng%d = new google.maps.LatLng(%s,%s);", k, lat.GetString(), lng.GetString()));
    out.AppendLine();
    out.Append(CString::Formatted("var myOptions%d = { zoom: %d, center: myLatlng%d, mapTypeId: google.maps.MapTypeId.ROADMAP }", k, m_nZoom, k));
    out.AppendLine();
    out.Append(CString::Formatted("var map%d = new google.maps.Map(document.getElementById(\"%s\"), myOptions%d);", k, jsId.GetString(), k));
    out.AppendLine();
    if (m_bMarker) {
        out.Append(CString::Formatted("var marker%d = new google.maps.Marker({ position: myLatlng%d, map: map%d });   ", k, k, k));
        out.AppendLine();
    }
    if (!info.IsEmpty()) {
        out.Append(CString::Formatted("var infowindow%d = new google.maps.InfoWindow({     content: '<div>%s</div>' }); ", k, info.GetString()));
        // Without a marker the window opens at the centre.
        if (m_bMarker)
            out.Append(CString::Formatted("infowindow%d.open(map%d,marker%d);", k, k, k));
        else
            out.Append(CString::Formatted("infowindow%d.setPosition(myLatlng%d); infowindow%d.open(map%d);", k, k, k, k));
        out.AppendLine();
    }
    out.Append("}");
    out.AppendLine();
    out.Append("</script>");
    out.AppendLine();
}
