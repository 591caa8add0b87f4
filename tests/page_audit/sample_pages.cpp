// SPDX-License-Identifier: GPL-3.0-or-later

// Makes one page per kind of CV the audit checks, each through a whole generation run of the
// program's core on a resource folder (the shipped one by default), into OUT/<kind>/CV.html.
// Usage: sample_pages OUT [RESOURCE_FOLDER [PHOTO]]

#include "generation/error.h"
#include "generation/generation.h"

#include <array>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The run needs a window; here it has nothing to show and no browser to open.
class SilentWindow final : public pomerel::GenerationWindow
{
public:
    void warn(std::string_view message) override { std::cerr << message << '\n'; }
    void showFinished() override {}
    void openInDefaultBrowser(const std::string &) override {}
};

struct SampleCv
{
    std::string kind;
    bool withPhoto = false;
    pomerel::BoxTexts texts; // Text1 at index 0 to Text14 at index 13
};

// The identity column, Text6 to Text14 in order.
void setDetails(SampleCv &cv, const std::array<std::string_view, 9> &details)
{
    for (std::size_t i = 0; i < details.size(); ++i)
        cv.texts[5 + i] = details[i];
}

// Section texts as the window hands them over: lines joined by CR LF.
std::string lines(std::initializer_list<std::string_view> parts)
{
    std::string text;
    for (std::string_view part : parts) {
        if (!text.empty())
            text += "\r\n";
        text += part;
    }
    return text;
}

// Every field filled and about 400 words across the sections: what a typical CV holds.
SampleCv fullCv()
{
    SampleCv cv{"complet", true, {}};
    cv.texts[0] = lines({
        "Responsable logistique depuis douze ans, j'organise les flux d'un entrepôt régional de "
        "vingt mille mètres carrés. J'aime les équipes soudées, les chiffres clairs et les "
        "livraisons à l'heure. Je cherche un poste où l'amélioration continue compte autant "
        "que le service rendu aux clients. Mes atouts : la rigueur dans le suivi des stocks, le "
        "goût du terrain et une communication simple avec les chauffeurs, les clients et la "
        "direction. Je parle volontiers de sécurité au travail : aucun accident avec arrêt dans "
        "mon équipe depuis quatre ans.",
    });
    cv.texts[1] = lines({
        "2019 - aujourd'hui : responsable d'exploitation, Transports Garnier, Lyon. Encadrement "
        "de quarante-cinq personnes, refonte des tournées, baisse de 18 % des retards. Pilotage "
        "du budget d'exploitation, négociation avec les sous-traitants, mise en place d'un "
        "tableau de bord hebdomadaire partagé avec les clients.",
        "2014 - 2019 : chef d'équipe quai, Logistique du Rhône, Vénissieux. Mise en place du "
        "contrôle par lecture de codes, formation des nouveaux caristes, organisation des "
        "inventaires tournants et réduction de moitié des erreurs de préparation.",
        "2011 - 2014 : préparateur de commandes puis cariste, Entrepôts Martin, Givors. "
        "Réception des marchandises, chargement des semi-remorques, tenue des quais.",
        "2010 : saisonnier au service expédition d'une coopérative fruitière de la Drôme, "
        "étiquetage, palettisation et contrôle qualité des lots avant départ chez les clients.",
    });
    cv.texts[2] = lines({
        "2013 : licence professionnelle logistique et pilotage des flux, Université Lyon 2.",
        "2011 : BTS transport et prestations logistiques, lycée La Martinière.",
        "2016 : formation au management d'équipe et à la prévention des risques, CCI de Lyon.",
        "Certificats : CACES 1, 3 et 5, sauveteur secouriste du travail, habilitation "
        "électrique H0B0, permis poids lourd obtenu en 2012.",
    });
    cv.texts[3] = lines({
        "Course en montagne : trois trails de plus de cinquante kilomètres par an.",
        "Trésorier bénévole d'une association d'aide aux devoirs depuis 2016 : budget, "
        "recherche de subventions et accueil d'une trentaine d'élèves chaque semaine.",
        "Cuisine des pays du Maghreb, photographie argentique, lecture de romans policiers.",
    });
    cv.texts[4] = lines({
        "Permis B et C, véhicule personnel. Anglais professionnel (TOEIC 845), espagnol courant. "
        "Outils : SAP, Excel avancé, Power BI, logiciels de gestion d'entrepôt. Disponible "
        "sous un mois, mobilité dans toute la région Auvergne-Rhône-Alpes.",
        "Références sur demande.",
        "Projets menés : déménagement d'un entrepôt de trois mille références en un week-end "
        "sans rupture de service ; passage à la préparation vocale ; création d'un parcours "
        "d'accueil pour les intérimaires, repris depuis par les deux autres sites du groupe.",
    });
    setDetails(cv, {"M. Karim Benali-Duval", "né le 3 mars 1989", "Responsable logistique",
                    "Gestion d'entrepôt et transport", "karim.benali-duval@exemple.fr",
                    "04 78 12 34 56", "06 12 34 56 78", "12 rue des Tanneurs, appartement 4",
                    "69007 Lyon"});
    return cv;
}

// Every field filled and about 600 words across the sections: a long career, which takes two
// printed sheets.
SampleCv longCv()
{
    SampleCv cv{"long", true, {}};
    cv.texts[0] = lines({
        "Infirmière diplômée d'État depuis dix-huit ans, dont huit comme coordinatrice d'un "
        "service de soins à domicile, je relie chaque jour les patients, leurs familles, les "
        "médecins traitants et les aides-soignantes. J'aime organiser sans perdre de vue la "
        "personne soignée, former les plus jeunes et faire vivre une équipe où chacun ose dire "
        "ce qui ne va pas. Je cherche aujourd'hui un poste de cadre de santé dans un "
        "établissement qui fait du lien entre l'hôpital et la ville une priorité.",
    });
    cv.texts[1] = lines({
        "2017 - aujourd'hui : infirmière coordinatrice, Service de soins infirmiers à domicile "
        "du Val de Saône, Mâcon. Coordination de soixante-dix patients et de vingt-deux "
        "soignantes, plannings, admissions et sorties d'hospitalisation, lien avec l'hôpital et "
        "les pharmacies. Mise en place du dossier de soins informatisé, d'une astreinte "
        "téléphonique partagée et de réunions mensuelles avec les médecins traitants. Baisse de "
        "moitié des réhospitalisations évitables en trois ans.",
        "2011 - 2017 : infirmière en soins de suite et de réadaptation, Centre hospitalier de "
        "Bourg-en-Bresse. Soins techniques, éducation thérapeutique des patients diabétiques, "
        "tutorat des étudiants infirmiers, participation au comité de lutte contre la douleur "
        "et à la certification de l'établissement.",
        "2008 - 2011 : infirmière de nuit en médecine polyvalente, Hôpital privé Jean Mermoz, "
        "Lyon. Prise en charge de vingt-huit lits, urgences vitales, accueil des entrées de "
        "nuit, transmissions écrites et orales aux équipes de jour.",
        "2006 - 2008 : infirmière intérimaire dans plusieurs services de la région lyonnaise : "
        "gériatrie, chirurgie orthopédique, oncologie de jour et consultations externes. "
        "Adaptation rapide à des équipes, des protocoles et des logiciels chaque fois "
        "différents, remplacements de dernière minute la nuit comme le week-end.",
        "2005 : aide-soignante pendant l'été dans un établissement d'hébergement pour personnes "
        "âgées dépendantes de l'Ain, toilettes, repas, animation et accompagnement de fin de "
        "vie aux côtés de l'équipe de nuit.",
        "Missions ponctuelles : vaccination en centre éphémère en 2021, encadrement d'une équipe "
        "de bénévoles lors d'un grand festival de musique, enquêtes de satisfaction auprès des "
        "familles pour l'agence régionale de santé.",
    });
    cv.texts[2] = lines({
        "2024 : diplôme universitaire de coordination des parcours de soins, Université Claude "
        "Bernard Lyon 1.",
        "2019 : formation de tutrice de stage et d'accompagnement des nouveaux professionnels, "
        "Institut de formation en soins infirmiers de Mâcon.",
        "2014 : diplôme universitaire d'éducation thérapeutique du patient, Université de "
        "Bourgogne.",
        "2006 : diplôme d'État d'infirmière, Institut de formation en soins infirmiers des "
        "Hospices civils de Lyon.",
        "Formations courtes : gestes et soins d'urgence de niveau 2, prévention des risques "
        "psychosociaux, soins palliatifs à domicile, bientraitance et droits des patients.",
    });
    cv.texts[3] = lines({
        "Chant choral : alto dans un chœur amateur depuis quinze ans, deux concerts par an.",
        "Randonnée en moyenne montagne et cyclotourisme le long de la Saône, jusqu'à cent "
        "kilomètres par jour en été.",
        "Bénévole d'une association d'aide aux aidants familiaux : groupes de parole, "
        "permanences téléphoniques, organisation d'une journée d'information chaque automne.",
        "Jardinage, cuisine de saison et lecture de récits de voyage, surtout ceux des "
        "grandes traversées à pied.",
    });
    cv.texts[4] = lines({
        "Permis B et véhicule personnel, habituée aux tournées en zone rurale. Anglais lu et "
        "parlé, notions d'italien. Outils : logiciels de soins à domicile, tableur, "
        "messagerie sécurisée de santé, téléconsultation.",
        "Disponible à partir du mois de septembre, à temps plein. Mobilité en Saône-et-Loire, "
        "dans l'Ain et dans le nord du Rhône.",
        "Projets menés : création d'un carnet de liaison commun aux soignants et aux familles, "
        "organisation des sorties d'hospitalisation le vendredi avec le service de médecine, "
        "accueil et tutorat de six nouvelles infirmières en deux ans.",
        "Membre de la commission des soins infirmiers de l'établissement depuis 2020, où je "
        "porte la voix des équipes du domicile.",
        "Références des médecins coordonnateurs et de la direction sur demande.",
    });
    setDetails(cv,
               {"Mme Claire Rousseau-Lemaire", "née le 14 juin 1982", "Infirmière coordinatrice",
                "Soins à domicile et parcours de santé", "claire.rousseau-lemaire@exemple.fr",
                "03 85 21 43 65", "06 71 82 93 04", "8 quai des Marans", "71000 Mâcon"});
    return cv;
}

SampleCv nameOnlyCv()
{
    SampleCv cv{"nom-seul", false, {}};
    cv.texts[5] = "Mme Élise Marchand";
    return cv;
}

// Words and addresses far wider than a phone's screen.
SampleCv longWordsCv()
{
    SampleCv cv{"mots-longs", true, {}};
    const std::string word = "Anticonstitutionnellementinternationalisationdesprocédures";
    cv.texts[0] = lines({word + word, "Dossier : \\\\serveur-de-fichiers\\partage\\candidatures"
                                      "\\2024\\curriculum-vitae-definitif-version-finale.pdf"});
    cv.texts[1] = lines({"https://www.exemple-de-site-professionnel-tres-long.fr/portfolio/"
                         "realisations/2024/projet-de-refonte-complete-du-systeme-d-information"});
    cv.texts[4] = word;
    cv.texts[5] = "Mme Marie-Bernadette Duchemin-Desrosiers-Montmorency-Laval";
    cv.texts[6] = word;
    cv.texts[7] = "Ingénieure-développeuse-intégratrice-consultante-indépendante";
    cv.texts[9] = "marie-bernadette.duchemin-desrosiers-montmorency-laval.consultante@"
                  "cabinet-international-de-conseil-en-organisation.example.fr";
    cv.texts[10] = "+33(0)478123456789012345678901234567890";
    cv.texts[11] = "0612345678901234567890123456789012345678";
    cv.texts[12] = word;
    cv.texts[13] = "69007 Saint-Rémy-de-Provence-sur-les-Hauts-de-la-Vallée-du-Rhône";
    return cv;
}

void makePage(const SampleCv &cv, const fs::path &out, const std::string &depart,
              const std::string &photo)
{
    const fs::path folder = out / cv.kind;
    fs::create_directories(folder);
    pomerel::RunData data;
    data.depart = depart;
    data.oa = (folder / "").string();
    if (cv.withPhoto && !photo.empty()) {
        data.OB = photo;
        data.OC = fs::path(photo).filename().string();
    }
    data.texts = cv.texts;
    SilentWindow window;
    pomerel::generatePage(data, window);
    std::cout << (folder / "CV.html").string() << '\n';
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::cerr << "usage: sample_pages OUT [RESOURCE_FOLDER [PHOTO]]\n";
        return 2;
    }
    const fs::path out = fs::absolute(argv[1]);
    const std::string depart = argc > 2 ? fs::absolute(argv[2]).string() : POMEREL_RESOURCE_DIR;
    const std::string photo = argc > 3 ? fs::absolute(argv[3]).string() : std::string();
    try {
        for (const SampleCv &cv :
             {fullCv(), longCv(), SampleCv{"vide", false, {}}, nameOnlyCv(), longWordsCv()})
            makePage(cv, out, depart, photo);
    } catch (const pomerel::Error &error) {
        std::cerr << "sample_pages: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
