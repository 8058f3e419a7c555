# Svenska hjälptexter.
UI = {
    "computes": "Vad beräkningen ger", "inputs": "Indata", "back": "Innehåll",
    "intro": "VELTARO dimensionerar och kontrollerar teknisk isolering av rör, kanaler och plana ytor med "
             "Torvelin produkter. Välj en beräkning i menyn eller klicka på dess titel på startbilden.",
    "limits": "Gränser för indata",
    "limits_intro": "Beräkna kontrollerar först indata. Varje indata som saknas eller ligger utanför sina "
                    "gränser visas med en av dessa rader, och inget beräknas förrän det är rättat:",
    "results": "Resultat",
    "report": "Använd Förhandsgranska för en rapport med indata och resultat.",
    "messages": "När det inte finns något resultat",
}
MM = " Tjockleken avrundas till hela millimeter."
CALC = {
    1: "Värmeförlust och yttemperatur för ett rör eller en plan yta med vald isolertjocklek. Med "
       "energibesparing påslagen ges även det oisolerade objektets förlust och besparingen per år.",
    2: "Den isolertjocklek som ger en krävd yttemperatur, och värmeförlusten vid den tjockleken. Tjockleken "
       "söks genom iteration och avrundas till hela millimeter, så yttemperaturen vid den visade tjockleken "
       "kan avvika något från kravet.",
    3: "Den isolertjocklek där värmeförlusten uppfyller ett krävt värde, och yttemperaturen vid den "
       "tjockleken. Tjockleken söks genom iteration och avrundas till hela millimeter, så värmeförlusten vid "
       "den visade tjockleken kan hamna något över kravet.",
    5: "Den isolertjocklek där ytan på ett kallt rör eller en kall yta precis når luftens daggpunkt. Ett rör "
       "räknas som klart när ytan ligger inom 0,5 K från daggpunkten; efter gränsen för antal varv inom 2 K "
       "eller 5 cm från måltjockleken, utan meddelande. En plan yta räknas inom 0,05 K. Tjockleken avrundas "
       "till hela millimeter, så ytan kan ligga något under daggpunkten: lägg själv till en marginal mot "
       "kondens.",
    6: "Den isolertjocklek där innerväggen i ett rör eller en kanal med ett strömmande fuktigt medium har "
       "mediets daggpunkt. Den krävda värmeledningen uppfylls inom 1/1000 och tjockleken avrundas till hela "
       "millimeter; lägg själv till en marginal. \"<= 0 !\" betyder att ingen isolering behövs, och den "
       "oisolerade värmeförlusten visas.",
    7: "Temperaturändringen för luft eller rökgas längs en rund ventilationskanal: start- eller "
       "sluttemperaturen för en inskriven isolertjocklek, eller den tjocklek som ger en krävd sluttemperatur, "
       "avrundad till hela millimeter.",
    21: "Värmeförlust, temperaturer mellan skikten och yttemperatur för två till sex skikt av olika produkter "
        "med givna tjocklekar.",
    22: "De skikttjocklekar som uppfyller krävda temperaturer mellan skikten och en krävd yttemperatur." + MM,
    23: "De skikttjocklekar som uppfyller krävda temperaturer mellan skikten och en krävd värmeförlust. "
        "Tjocklekarna söks genom iteration och avrundas till hela millimeter, så värmeförlusten kan hamna något "
        "över kravet.",
    24: "Värmeförlusten före och efter ett nytt yttre skikt på en befintlig isolering, de nya temperaturerna "
        "och, med energibesparing påslagen, besparingen per år.",
}
INPUT = {
    "geometry": "Rör (ytterdiameter i mm, vald i listan eller inskriven) eller plan yta (höjd i mm).",
    ("geometry", 7): "Den runda kanalens ytterdiameter i mm.",
    "location": "Inomhus eller utomhus. Utomhus används vindhastigheten.",
    "orientation": "Horisontellt eller vertikalt rör eller yta; det avgör den fria konvektionen.",
    ("orientation", 7): "Horisontell eller vertikal kanal; det avgör den fria konvektionen.",
    "medium_temp": "Mediets temperatur i röret eller bakom ytan, i °C.",
    "ambient": "Den omgivande luftens temperatur, i °C.",
    "wind": "Vindhastighet utomhus, i m/s.",
    "emissivity": "Den yttre ytans (beklädnadens) emissionstal; det avgör värmestrålningen.",
    "product": "Torvelin isolerprodukten; dess värmeledningsförmåga beror på medeltemperaturen.",
    "thickness": "Isolertjocklek i mm, vald bland produktens tjocklekar.",
    ("thickness", 7): "Isolertjocklek i mm, inskriven; bara där beräkningstypen använder den.",
    "req_surface": "Den yttemperatur som ska nås, i °C.",
    "req_heatloss": "Den krävda värmeförlusten, i W/m för ett rör eller W/m² för en yta.",
    "method": "Antingen en isolerklass vald i listan, eller drifttimmar per år och spillfaktor som klassen "
              "härleds ur.",
    "humidity": "Den omgivande luftens relativa fuktighet, i %.",
    "velocity": "Mediets hastighet i röret, i m/s.",
    "medium_humidity": "Mediets relativa fuktighet, i %.",
    "inner_dia": "Rörets innerdiameter, i mm.",
    "constant": "Mediets ämneskonstant, som används för värmeövergången på insidan.",
    "calc_type": "Vad som är okänt: isolertjockleken, starttemperaturen eller sluttemperaturen.",
    "medium": "Luft eller rökgas i kanalen.",
    "flow": "Mediets flöde i vald enhet (kg/s, l/h, l/s, m³/h eller m/s).",
    "length": "Kanalens längd i m.",
    "start_end": "Mediets temperatur där det går in i och ut ur kanalen, i °C.",
    "layers": "Antal skikt, 2 till 6, räknat från mediet och utåt; varje skikt har sin egen produkt.",
    "interfaces": "Temperaturer mellan skikten, i °C; som krav begränsar de varje produkt.",
    "existing": "Den befintliga isoleringen: produkt, tjocklek och emissionstalet för dess yta.",
    "new": "Det nya yttre skiktet: produkt, tjocklek och emissionstalet för dess yta.",
    "savings": "Rörlängd eller yta, det oisolerade objektets emissionstal, energienhet och pris samt "
               "drifttimmar per år.",
    ("savings", 24): "Rörlängd eller yta, energienhet och pris samt drifttimmar per år.",
}
RESULT = {
    102: "Den funna isolertjockleken, i hela millimeter.",
    113: "Den yttre ytans temperatur, i °C.",
    115: "Värmeförlusten genom isoleringen, i W/m eller W/m².",
    114: "Det oisolerade objektets värmeförlust.",
    116: "Isoleringens besparing per år, med vald energienhet och pris.",
    120: "Den omgivande luftens daggpunkt, i °C.",
    169: "Värmeförlusten, i W/m eller W/m².",
    206: "Mediets temperatur där det går in i kanalen, i °C.",
    207: "Mediets temperatur där det går ut ur kanalen, i °C.",
    125: "Temperaturerna mellan skikten, i °C.",
    131: "Värmeförlusten med den befintliga isoleringen.",
    132: "Värmeförlusten med det nya skiktet.",
    133: "Det nya skiktets besparing per år.",
}
MESSAGE = {
    "nonconv": "Beräkningen fann inget stabilt resultat inom gränsen för antal varv; resultaten töms.",
    "over1000": "Visas i tjockleksrutan: den tjocklek som behövs är över 1000 mm; övriga resultat töms.",
    "< 0 !": "Visas i tjockleksrutan: kravet uppfylls utan isolering (en negativ tjocklek); övriga resultat "
             "töms.",
    "<= 0 !": "Visas i tjockleksrutan: ingen isolering behövs; det oisolerade rörets värmeförlust visas.",
    "limits": "En temperatur ligger utanför produktens gränser; resultaten behålls.",
    "saving_too_large": "Den årliga besparingen ligger utanför det som kan beräknas; kontrollera uppgifterna för besparingen. Resultaten för värmeförlusten behålls.",
    "none_needed": "Ingen isolering behövs mot invändig kondens.",
    "section": "Rörskålen tillverkas inte i denna diameter och tjocklek.",
}
