# Danske hjælpetekster.
UI = {
    "computes": "Hvad beregningen giver", "inputs": "Inddata", "back": "Indhold",
    "intro": "VELTARO dimensionerer og kontrollerer teknisk isolering af rør, kanaler og plane flader med "
             "Torvelin produkter. Vælg en beregning i menuen, eller klik på dens titel på startbilledet.",
    "limits": "Grænser for inddata",
    "limits_intro": "Beregn kontrollerer først inddata. Hvert inddata, der mangler eller ligger uden for sine "
                    "grænser, vises med en af disse linjer, og der beregnes intet, før det er rettet:",
    "results": "Resultater",
    "report": "Brug Vis udskrift for en rapport med inddata og resultater.",
    "messages": "Når der ikke er et resultat",
}
MM = " Tykkelsen afrundes til hele millimeter."
CALC = {
    1: "Varmetab og overfladetemperatur for et rør eller en plan flade med en valgt isoleringstykkelse. Med "
       "energibesparelse slået til gives også varmetabet for det uisolerede emne og besparelsen pr. år.",
    2: "Den isoleringstykkelse, der giver en krævet overfladetemperatur, og varmetabet ved den tykkelse. "
       "Tykkelsen findes ved iteration og afrundes til hele millimeter, så overfladetemperaturen ved den viste "
       "tykkelse kan afvige lidt fra kravet.",
    3: "Den isoleringstykkelse, hvor varmetabet opfylder en krævet værdi, og overfladetemperaturen ved den "
       "tykkelse. Tykkelsen findes ved iteration og afrundes til hele millimeter, så varmetabet ved den viste "
       "tykkelse kan ende lidt over kravet.",
    4: "Den isoleringstykkelse, der opfylder en isoleringsklasse, valgt direkte eller udledt af driftstid og "
       "spildfaktor, med varmetab og overfladetemperatur." + MM,
    5: "Den isoleringstykkelse, hvor overfladen af et koldt rør eller en kold flade netop når luftens "
       "dugpunkt. Et rør regnes som fundet, når overfladen ligger inden for 0,5 K af dugpunktet; efter "
       "grænsen for antal gennemløb inden for 2 K eller 5 cm fra måltykkelsen, uden besked. En plan flade "
       "regnes inden for 0,05 K. Tykkelsen afrundes til hele millimeter, så overfladen kan ligge lidt under "
       "dugpunktet: læg selv en margen til mod kondens.",
    6: "Den isoleringstykkelse, hvor indervæggen i et rør eller en kanal med et strømmende fugtigt medium har "
       "mediets dugpunkt. Den krævede varmeledning opfyldes inden for 1/1000, og tykkelsen afrundes til hele "
       "millimeter; læg selv en margen til. \"<= 0 !\" betyder, at der ikke kræves isolering, og det "
       "uisolerede varmetab vises.",
    7: "Temperaturændringen for luft eller røggas langs en rund ventilationskanal: start- eller "
       "sluttemperaturen for en indtastet isoleringstykkelse, eller den tykkelse, der giver en krævet "
       "sluttemperatur, afrundet til hele millimeter.",
    21: "Varmetab, temperaturer mellem lagene og overfladetemperatur for to til seks lag af forskellige "
        "produkter med givne tykkelser.",
    22: "De lagtykkelser, der opfylder krævede temperaturer mellem lagene og en krævet overfladetemperatur." + MM,
    23: "De lagtykkelser, der opfylder krævede temperaturer mellem lagene og et krævet varmetab. Tykkelserne "
        "findes ved iteration og afrundes til hele millimeter, så varmetabet kan ende lidt over kravet.",
    24: "Varmetabet før og efter et nyt yderste lag uden på en eksisterende isolering, de nye temperaturer og, "
        "med energibesparelse slået til, besparelsen pr. år.",
}
INPUT = {
    "geometry": "Rør (udvendig diameter i mm, valgt i listen eller indtastet) eller plan flade (højde i mm).",
    ("geometry", 7): "Den runde kanals udvendige diameter i mm.",
    "location": "Indendørs eller udendørs. Udendørs bruges vindhastigheden.",
    "orientation": "Vandret eller lodret rør eller flade; det bestemmer den frie konvektion.",
    ("orientation", 7): "Vandret eller lodret kanal; det bestemmer den frie konvektion.",
    "medium_temp": "Mediets temperatur i røret eller bag fladen, i °C.",
    "ambient": "Den omgivende lufts temperatur, i °C.",
    "wind": "Vindhastighed udendørs, i m/s.",
    "emissivity": "Den yderste overflades (beklædningens) emissionstal; det bestemmer varmestrålingen.",
    "product": "Torvelin isoleringsproduktet; dets varmeledningsevne afhænger af middeltemperaturen.",
    "thickness": "Isoleringstykkelse i mm, valgt blandt produktets tykkelser.",
    ("thickness", 7): "Isoleringstykkelse i mm, indtastet; kun hvor beregningstypen bruger den.",
    "req_surface": "Den overfladetemperatur, der skal nås, i °C.",
    "req_heatloss": "Det krævede varmetab, i W/m for et rør eller W/m² for en flade.",
    "method": "Enten en isoleringsklasse valgt i listen, eller driftstimer pr. år og spildfaktor, som "
              "klassen udledes af.",
    "humidity": "Den omgivende lufts relative fugtighed, i %.",
    "velocity": "Mediets hastighed i røret, i m/s.",
    "medium_humidity": "Mediets relative fugtighed, i %.",
    "inner_dia": "Rørets indvendige diameter, i mm.",
    "constant": "Mediets stofkonstant, brugt til varmeovergangen på indersiden.",
    "calc_type": "Hvad der er ukendt: isoleringstykkelsen, starttemperaturen eller sluttemperaturen.",
    "medium": "Luft eller røggas i kanalen.",
    "flow": "Mediets strøm i den valgte enhed (kg/s, l/h, l/s, m³/h eller m/s).",
    "length": "Kanalens længde i m.",
    "start_end": "Mediets temperatur, hvor det går ind i og ud af kanalen, i °C.",
    "layers": "Antal lag, 2 til 6, talt fra mediet og udad; hvert lag har sit eget produkt.",
    "interfaces": "Temperaturer mellem lagene, i °C; som krav begrænser de hvert produkt.",
    "existing": "Den eksisterende isolering: produkt, tykkelse og emissionstallet for dens overflade.",
    "new": "Det nye yderste lag: produkt, tykkelse og emissionstallet for dets overflade.",
    "savings": "Rørlængde eller areal, det uisolerede emnes emissionstal, energienhed og pris samt "
               "driftstimer pr. år.",
    ("savings", 24): "Rørlængde eller areal, energienhed og pris samt driftstimer pr. år.",
}
RESULT = {
    102: "Den fundne isoleringstykkelse, i hele millimeter.",
    113: "Den yderste overflades temperatur, i °C.",
    115: "Varmetabet gennem isoleringen, i W/m eller W/m².",
    114: "Det uisolerede emnes varmetab.",
    116: "Isoleringens besparelse pr. år, med den valgte energienhed og pris.",
    120: "Den omgivende lufts dugpunkt, i °C.",
    169: "Varmetabet, i W/m eller W/m².",
    206: "Mediets temperatur, hvor det går ind i kanalen, i °C.",
    207: "Mediets temperatur, hvor det går ud af kanalen, i °C.",
    125: "Temperaturerne mellem lagene, i °C.",
    131: "Varmetabet med den eksisterende isolering.",
    132: "Varmetabet med det nye lag.",
    133: "Det nye lags besparelse pr. år.",
}
MESSAGE = {
    "nonconv": "Beregningen fandt ikke et stabilt resultat inden for grænsen for antal gennemløb; "
               "resultaterne slettes.",
    "over1000": "Vises i tykkelsesfeltet: den nødvendige tykkelse er over 1000 mm; de øvrige resultater slettes.",
    "< 0 !": "Vises i tykkelsesfeltet: kravet er opfyldt uden isolering (en negativ tykkelse); de øvrige "
             "resultater slettes.",
    "<= 0 !": "Vises i tykkelsesfeltet: der kræves ingen isolering; det uisolerede rørs varmetab vises.",
    "limits": "En temperatur ligger uden for produktets grænser; resultaterne beholdes.",
    "saving_too_large": "Den årlige besparelse ligger uden for det, der kan beregnes; kontrollér besparelsesdata. Varmetabsresultaterne bevares.",
    "none_needed": "Der kræves ingen isolering mod indvendig kondens.",
    "section": "Rørskålen fremstilles ikke i denne diameter og tykkelse.",
}
